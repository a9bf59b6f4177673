// SPDX-License-Identifier: GPL-3.0-or-later
// The title picture's decoder: the real picture, and every kind of damaged
// or foreign input, which must give an empty picture and never end the
// program.
#include "app/title_picture.h"

#include <QColor>
#include <QFile>
#include <gtest/gtest.h>

#include <random>

using namespace KolvErkl;

static void RegisterPictures() {
    Q_INIT_RESOURCE(kolvane);
}

namespace {

QByteArray ReadFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray TitleBytes() {
    return ReadFile(QStringLiteral(KOLVANE_SOURCE_DIR "/resources/title.jpg"));
}

TEST(TitlePicture, TheRealPictureIs270By220WithBlueLettersOnGrey) {
    const QImage image = DecodeJpeg(TitleBytes());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(270, 220));
    const QColor corner = image.pixelColor(20, 20);
    EXPECT_NEAR(corner.red(), corner.blue(), 16) << "the field is grey";
    EXPECT_GT(corner.lightness(), 150);
    int bluePixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            bluePixels += c.blue() > 120 && c.red() < 80 && c.green() < 90;
        }
    EXPECT_GT(bluePixels, 500) << "the product name is written in blue";
}

TEST(TitlePicture, TheCompiledInPictureLoads) {
    RegisterPictures();
    EXPECT_EQ(LoadTitlePicture().size(), QSize(270, 220));
    EXPECT_TRUE(LoadTitlePicture(QStringLiteral(":/no-such-picture.jpg")).isNull());
}

TEST(TitlePicture, EveryProperPrefixIsRefused) {
    const QByteArray whole = TitleBytes();
    ASSERT_GT(whole.size(), 2000);
    // Every prefix through the headers, then a sample through the picture
    // data, and the last bytes before the end marker one by one.
    std::vector<qsizetype> sizes;
    for (qsizetype n = 0; n < 1200; ++n)
        sizes.push_back(n);
    for (qsizetype n = 1200; n < whole.size() - 64; n += 37)
        sizes.push_back(n);
    for (qsizetype n = whole.size() - 64; n < whole.size(); ++n)
        sizes.push_back(n);
    for (const qsizetype n : sizes)
        EXPECT_TRUE(DecodeJpeg(whole.left(n)).isNull()) << "prefix of " << n << " bytes";
}

TEST(TitlePicture, GarbageAndForeignFilesAreRefused) {
    std::mt19937 random(1234);
    auto noise = [&random](int size) {
        QByteArray bytes(size, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random() & 0xff);
        return bytes;
    };
    const QByteArray soi("\xff\xd8", 2);
    const std::vector<std::pair<const char*, QByteArray>> inputs = {
        {"empty", QByteArray()},
        {"noise", noise(4096)},
        {"start marker and noise", soi + noise(4096)},
        {"start marker only", soi},
        {"start and end markers", soi + QByteArray("\xff\xd9", 2)},
        {"text", QByteArray("Kolvane er ikke et billede")},
        {"the program icon (PNG)",
         ReadFile(QStringLiteral(KOLVANE_SOURCE_DIR "/resources/kolvane.png"))},
    };
    for (const auto& [what, bytes] : inputs)
        EXPECT_TRUE(DecodeJpeg(bytes).isNull()) << what;
}

// A grey JPEG of one component made here: the smallest header libjpeg
// reads (its standard Huffman tables stand in for the missing ones) and
// entropy data of `blocks` flat blocks, 6 bits each ("00" for no DC
// change, "1010" for the end of the block).
QByteArray GreyJpeg(unsigned char frameMarker, int width, int height, int blocks) {
    auto bigEndian = [](int n) {
        QByteArray two(2, '\0');
        two[0] = char(n >> 8);
        two[1] = char(n & 0xff);
        return two;
    };
    QByteArray jpeg("\xff\xd8\xff\xdb\x00\x43\x00", 7);
    jpeg += QByteArray(64, '\x01');
    jpeg += QByteArray("\xff") + char(frameMarker) + QByteArray("\x00\x0b\x08", 3) +
            bigEndian(height) + bigEndian(width) + QByteArray("\x01\x01\x11\x00", 4);
    jpeg += QByteArray("\xff\xda\x00\x08\x01\x01\x00\x00\x3f\x00", 10);
    const char flatBlocks[3] = {'\x28', '\xa2', '\x8a'}; // four blocks: 001010 x 4
    for (int i = 0; i < blocks; i += 4)
        jpeg += QByteArray(flatBlocks, 3);
    return jpeg + QByteArray("\xff\xd9", 2);
}

TEST(TitlePicture, PicturesBeyondTheSizeLimitAreRefusedFromTheHeader) {
    constexpr unsigned char Baseline = 0xc0, Progressive = 0xc2;
    EXPECT_EQ(DecodeJpeg(GreyJpeg(Baseline, 4096, 1, 512)).size(), QSize(4096, 1));
    EXPECT_EQ(DecodeJpeg(GreyJpeg(Baseline, 1, 4096, 512)).size(), QSize(1, 4096));
    const std::vector<std::pair<const char*, QByteArray>> refused = {
        {"4097 wide", GreyJpeg(Baseline, 4097, 1, 516)},
        {"4097 high", GreyJpeg(Baseline, 1, 4097, 516)},
        // Regression: headers that asked for gigabytes before any data was read.
        {"43680 x 36020", GreyJpeg(Baseline, 43680, 36020, 4)},
        {"30000 x 30000 progressive", GreyJpeg(Progressive, 30000, 30000, 4)},
        {"65535 x 65535", GreyJpeg(Baseline, 65535, 65535, 4)},
    };
    for (const auto& [what, bytes] : refused)
        EXPECT_TRUE(DecodeJpeg(bytes).isNull()) << what;
}

TEST(TitlePicture, DamagedPictureDataNeverCrashes) {
    // Overwritten bytes inside the headers or the picture data: the decoder
    // may refuse the picture or give one of the right size, never more.
    const QByteArray whole = TitleBytes();
    std::mt19937 random(99);
    for (int trial = 0; trial < 200; ++trial) {
        QByteArray damaged = whole;
        const int count = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < count; ++i)
            damaged[static_cast<qsizetype>(random() % static_cast<unsigned>(whole.size()))] =
                static_cast<char>(random() & 0xff);
        const QImage image = DecodeJpeg(damaged);
        if (!image.isNull()) {
            EXPECT_LE(image.width(), 65535);
            EXPECT_LE(image.height(), 65535);
        }
    }
}

} // namespace
