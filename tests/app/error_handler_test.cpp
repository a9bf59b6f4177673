// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide error handler tells the user what failed.
#include "app/error_handler.h"
#include "engine/kolv_erkl.h"
#include "ui/ui_services.h"

#include <QEvent>
#include <QObject>
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

class ErrorHandlerTest : public ::testing::Test {
protected:
    void SetUp() override {
        KolvErkl::ResetProgramState();
        KolvErkl::MessageHook = [this](const QString& text, const QString& caption) {
            shown.emplace_back(text, caption);
        };
    }
    void TearDown() override { KolvErkl::ResetProgramState(); }

    std::vector<std::pair<QString, QString>> shown;
};

TEST_F(ErrorHandlerTest, ShowsTheMessageOfWhatFailed) {
    KolvErkl::ShowException(std::make_exception_ptr(std::runtime_error("Printeren svarer ikke")));
    KolvErkl::ShowException(std::make_exception_ptr(42));

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].first, QStringLiteral("Printeren svarer ikke"));
    EXPECT_EQ(shown[0].second, QStringLiteral("Kolvane"));
    EXPECT_EQ(shown[1].first, QStringLiteral("Der opstod en ukendt fejl."));
}

// The last line of defence: a failure thrown out of an event handler ends
// that event only; it is shown, and the next event is delivered.
TEST_F(ErrorHandlerTest, AFailureOutOfAnEventHandlerIsShownAndTheProgramGoesOn) {
    ASSERT_NE(dynamic_cast<KolvaneApplication*>(QCoreApplication::instance()), nullptr);
    struct FailingOnce : QObject {
        int events = 0;
        bool event(QEvent* event) override {
            if (event->type() != QEvent::User)
                return QObject::event(event);
            if (++events == 1)
                throw std::runtime_error("Printeren svarer ikke");
            return true;
        }
    } receiver;
    QEvent event(QEvent::User);

    EXPECT_FALSE(QCoreApplication::sendEvent(&receiver, &event));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, QStringLiteral("Printeren svarer ikke"));
    EXPECT_EQ(shown[0].second, QStringLiteral("Kolvane"));

    EXPECT_TRUE(QCoreApplication::sendEvent(&receiver, &event));
    EXPECT_EQ(receiver.events, 2);
    EXPECT_EQ(shown.size(), 1u);
}

} // namespace
