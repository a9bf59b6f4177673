// SPDX-License-Identifier: GPL-3.0-or-later
// The 104-byte task record, the 61-byte extra-task record, the catalogue's
// start-up state and the rules for TaskFolder.
#include "catalogue/catalogue_fixture.h"
#include "catalogue/cp1252.h"

namespace {

using namespace KolvErkl;
using KolvTest::CatalogueTest;

TEST(TaskRecord, LayoutIsLittleEndianAtFixedOffsets) {
    TaskRecord r = KolvTest::MakeTask(21, 3, "x+y");
    r.TaskNumber = 0x12345678; // only the layout is looked at here
    r.VariableCount = -2;
    r.Reserved1 = {7, 8, 9};
    r.Reserved2 = {10, 11};
    const TaskRecordBytes b = EncodeTaskRecord(r);

    EXPECT_EQ(b[0], 0);
    EXPECT_EQ((std::vector<uint8_t>{b[1], b[2], b[3]}), (std::vector<uint8_t>{7, 8, 9}));
    EXPECT_EQ((std::vector<uint8_t>{b[4], b[5], b[6], b[7]}),
              (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ((std::vector<uint8_t>{b[8], b[9], b[10], b[11]}),
              (std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(b[12], 3);
    EXPECT_EQ(std::string(b.begin() + 13, b.begin() + 16), "x+y");
    EXPECT_EQ(b[73], 9);
    EXPECT_EQ(std::string(b.begin() + 74, b.begin() + 83), "Opg21.kvn");
    EXPECT_EQ(b[102], 10);
    EXPECT_EQ(b[103], 11);
}

TEST(TaskRecord, LeftoverBytesAfterAShortTextSurviveARoundTrip) {
    TaskRecord r = KolvTest::MakeTask(25, 2, "x+y+100*(x-y)");
    r.Formula.Assign("x*y"); // the longer text stays behind the length
    const TaskRecordBytes first = EncodeTaskRecord(r);
    EXPECT_EQ(std::string(first.begin() + 16, first.begin() + 26), "+100*(x-y)");

    const Outcome<TaskRecord> outcome = DecodeTaskRecord(first);
    ASSERT_FALSE(outcome.Failed) << outcome.Message;
    const TaskRecord& decoded = outcome.Result;
    EXPECT_EQ(decoded.Formula.Text(), "x*y");
    EXPECT_EQ(EncodeTaskRecord(decoded), first);
}

TEST(TaskRecord, EveryByteOfAValidRecordRoundTrips) {
    TaskRecordBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 37 + 5);
    bytes[4] = 3, bytes[5] = bytes[6] = bytes[7] = 0;    // VariableCount 3
    bytes[8] = 70, bytes[9] = bytes[10] = bytes[11] = 0; // TaskNumber 70
    bytes[12] = 60;
    bytes[73] = 28;
    const Outcome<TaskRecord> outcome = DecodeTaskRecord(bytes);
    ASSERT_FALSE(outcome.Failed) << outcome.Message;
    const TaskRecord& r = outcome.Result;
    EXPECT_EQ(EncodeTaskRecord(r), bytes);
    EXPECT_EQ(r.Formula.Text().size(), 60u);
    EXPECT_EQ(r.FileName.Text().size(), 28u);
}

TEST(TaskRecord, RecordsThatBreakALimitAreRefusedAsAWhole) {
    struct Row {
        const char* what;
        std::size_t at;
        std::vector<uint8_t> bytes;
        const std::string& reason;
    };
    const std::vector<Row> rows = {
        {"task number 20", 8, {20, 0, 0, 0}, BadTaskNumberReason},
        {"task number 71", 8, {71, 0, 0, 0}, BadTaskNumberReason},
        {"task number negative", 8, {21, 0, 0, 0x80}, BadTaskNumberReason},
        {"task number 21 + 2^8", 8, {21, 1, 0, 0}, BadTaskNumberReason},
        {"one variable", 4, {1, 0, 0, 0}, BadVariableCountReason},
        {"four variables", 4, {4, 0, 0, 0}, BadVariableCountReason},
        {"formula length 61", 12, {61}, BadTextLengthReason},
        {"formula length 255", 12, {255}, BadTextLengthReason},
        {"file name length 29", 73, {29}, BadTextLengthReason},
    };
    for (const Row& row : rows) {
        TaskRecordBytes bytes = EncodeTaskRecord(KolvTest::MakeTask(30, 2, "x"));
        std::copy(row.bytes.begin(), row.bytes.end(), bytes.begin() + static_cast<long>(row.at));
        const Outcome<TaskRecord> outcome = DecodeTaskRecord(bytes);
        EXPECT_TRUE(outcome.Failed) << row.what;
        const std::string& reason = outcome.Message;
        EXPECT_EQ(reason, row.reason) << row.what;
        // Nothing of a refused record comes out: no part of it is decoded.
        EXPECT_EQ(outcome.Result.Formula.Text(), "") << row.what;
        EXPECT_EQ(reason.front(), ' ') << row.what;
    }
}

TEST(TaskRecord, ShortStringsCutToTheirCapacity) {
    TaskRecord r;
    r.Formula.Assign(std::string(70, 'x'));
    EXPECT_EQ(r.Formula.Length, 60);
    EXPECT_EQ(r.Formula.Text(), std::string(60, 'x'));
    r.FileName.Assign("Opg21.kvn");
    EXPECT_EQ(r.FileName.Text(), "Opg21.kvn");
}

TEST(ExtraRecord, CharactersAreScrambledByTheirPosition) {
    const auto abc = EncodeExtraRecord("abc");
    EXPECT_EQ(abc[0], 3);
    EXPECT_EQ(abc[1], 110);
    EXPECT_EQ(abc[2], 112);
    EXPECT_EQ(abc[3], 114);

    // Position 60 of a byte 0xFF wraps round: (255 + 60 + 12) mod 256 = 71.
    std::string high(60, 'a');
    high[59] = '\xFF';
    const auto wrapped = EncodeExtraRecord(high);
    EXPECT_EQ(wrapped[60], 71);

    const Outcome<std::string> decoded = DecodeExtraRecord(wrapped);
    ASSERT_FALSE(decoded.Failed);
    EXPECT_EQ(decoded.Result, high);
}

TEST(ExtraRecord, LengthAboveSixtyIsRefused) {
    auto bytes = EncodeExtraRecord("x+y");
    bytes[0] = 60;
    const Outcome<std::string> sixty = DecodeExtraRecord(bytes);
    EXPECT_FALSE(sixty.Failed);
    EXPECT_EQ(sixty.Result.size(), 60u);
    bytes[0] = 61;
    const Outcome<std::string> refused = DecodeExtraRecord(bytes);
    EXPECT_TRUE(refused.Failed);
    EXPECT_EQ(refused.Message, BadExtraFormulaReason);
}

TEST_F(CatalogueTest, StartUpFreesEverySlotUnderItsDefaultName) {
    OwnTaskSpan = 7;
    OwnTaskSlot(33) = KolvTest::MakeTask(33, 2, "x");
    InitTaskCatalogue();
    EXPECT_EQ(OwnTaskSpan, 0);
    for (int n = FirstOwnTask; n <= LastOwnTask; ++n) {
        const TaskRecord& slot = OwnTaskSlot(n);
        EXPECT_EQ(slot.Free, 1) << n;
        EXPECT_EQ(slot.FileName.Text(), "Opg" + std::to_string(n) + ".kvn");
        EXPECT_EQ(slot.Formula.Length, 0) << n;
        EXPECT_EQ(slot.TaskNumber, 0) << n;
    }
    EXPECT_THROW(OwnTaskSlot(20), std::out_of_range);
    EXPECT_THROW(OwnTaskSlot(71), std::out_of_range);
}

TEST_F(CatalogueTest, SpanIsTheHighestNumberStoredLessTwenty) {
    RaiseOwnTaskSpan(30);
    EXPECT_EQ(OwnTaskSpan, 10);
    RaiseOwnTaskSpan(21);
    EXPECT_EQ(OwnTaskSpan, 10);
    RaiseOwnTaskSpan(70);
    EXPECT_EQ(OwnTaskSpan, 50);
}

TEST_F(CatalogueTest, StartUpFolder) {
    const std::string longFolder = "/" + std::string(40, 'a') + "/" + std::string(30, 'b') + "/";
    struct Row {
        std::vector<std::string> arguments;
        std::string programPath;
        std::string folder;
    };
    const std::vector<Row> rows = {
        {{}, "/opt/kolvane/bin/kolvane", "/opt/kolvane/bin/"},
        {{}, "kolvane", ""},
        // Too long a folder gives way to its deepest parent that fits.
        {{}, longFolder + "kolvane", "/" + std::string(40, 'a') + "/"},
        {{"/home/l/Opg25.kvn"}, "/opt/kolvane/bin/kolvane", "/home/l/Opg25.kvn"},
        {{"/home/l/Opg25.kvn", "more"}, "/x/kolvane", "/home/l/Opg25.kvn"},
        {{std::string(70, 'c')}, "/x/kolvane", std::string(60, 'c')},
    };
    for (const Row& row : rows) {
        ProgramArguments = row.arguments;
        ProgramPath = row.programPath;
        InitTaskCatalogue();
        EXPECT_EQ(TaskFolder, row.folder) << row.programPath;
        EXPECT_LE(TaskFolder.size(), 60u);
    }
}

TEST_F(CatalogueTest, StartUpFolderGivesWayToTheFallbackWhereSavesCannotGo) {
    const char separator = KolvErkl::NativeFiles::Separator;
    const std::string documents = Folder() + "Dokumenter";
    // A folder whose name with its separator is too long for the task folder,
    // in a parent that fits, wherever the system keeps its temporary files.
    ASSERT_LE(Folder().size(), 50u);
    const std::size_t room = 60 - Folder().size();
    const std::string shortParent = Folder() + std::string(room / 2, 'd') + separator;
    const std::string tooLong = shortParent + std::string(room, 'e');
    for (const std::string& d : {documents, tooLong})
        std::filesystem::create_directories(d);
    const std::string missing = "/no/such/folder/bin/kolvane";
    struct Row {
        std::string programPath, fallback, folder;
    };
    const std::vector<Row> rows = {
        {File("kolvane"), documents, Folder()},
        {missing, documents, documents + separator},
        {missing, documents + separator, documents + separator},
        {missing, tooLong, shortParent},
        {missing, "", "/no/such/folder/bin/"},
        {missing, "/no/such/home", "/no/such/folder/bin/"},
    };
    for (const Row& row : rows) {
        ProgramPath = row.programPath;
        FallbackTaskFolder = row.fallback;
        InitTaskCatalogue();
        EXPECT_EQ(TaskFolder, row.folder) << row.programPath << " / " << row.fallback;
    }
}

TEST_F(CatalogueTest, FolderAfterOpeningAFile) {
    const std::string deep = "/" + std::string(50, 'd') + "/" + std::string(20, 'e') + "/";
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"/home/l/Opg21.kvn", "/home/l/"},
        {"/Opg21.kvn", "/"},
        {"Opg21.kvn", ""},
        {"sub/Opg21.kvn", "sub/"},
        // The first ".kvn" counts, also inside a folder name.
        {"/a/b.kvn.d/Opg21.kvn", "/a/"},
        // Cut before its ".kvn": the deepest folder the cut text names.
        {deep + "Opg21.kvn", "/" + std::string(50, 'd') + "/"},
        {"/" + std::string(70, 'f') + ".kvn", "/"},
#ifdef _WIN32
        // Windows names: backslashes, a drive letter, both separators.
        {"C:\\Mine opgaver\\Opg21.kvn", "C:\\Mine opgaver\\"},
        {"C:\\Opg21.kvn", "C:\\"},
        {"C:Opg21.kvn", ""},
        {"D:/skole\\7a/Opg21.kvn", "D:/skole\\7a/"},
        {"\\\\server\\del\\Opg21.kvn", "\\\\server\\del\\"},
#else
        {"/a\\b/c\\Opg21.kvn", "/a\\b/"}, // a backslash is a character of a name
#endif
    };
    for (const auto& [name, folder] : rows) {
        UpdateTaskFolder(name);
        EXPECT_EQ(TaskFolder, folder) << name;
    }
}

TEST(DefaultNames, AreOpgNumberKvn) {
    EXPECT_EQ(DefaultFileName(21), "Opg21.kvn");
    EXPECT_EQ(DefaultFileName(70), "Opg70.kvn");
}

TEST(Cp1252, EveryByteConvertsAndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, DanishLettersAndTheHighControls) {
    EXPECT_EQ(Cp1252ToUtf8("\xE6\xF8\xE5\xC6\xD8\xC5"), "æøåÆØÅ");
    EXPECT_EQ(Cp1252ToUtf8("\x80\x9E"), "€ž");
    EXPECT_EQ(Utf8ToCp1252("Grøn €"), "Gr\xF8n \x80");
    // Not in the code page, and broken UTF-8: one '?' each.
    EXPECT_EQ(Utf8ToCp1252("a\u0394b"), "a?b");
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "??");
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??"); // overlong '/'
}

} // namespace
