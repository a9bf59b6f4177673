// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide error handler tells the user what failed.
#include "app/error_handler.h"
#include "ui/ui_services.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

TEST(ErrorHandler, ShowsTheMessageOfWhatFailed) {
    std::vector<std::pair<QString, QString>> shown;
    KolvErkl::MessageHook = [&shown](const QString& text, const QString& caption) {
        shown.emplace_back(text, caption);
    };
    KolvErkl::ShowException(std::make_exception_ptr(std::runtime_error("Printeren svarer ikke")));
    KolvErkl::ShowException(std::make_exception_ptr(42));
    KolvErkl::MessageHook = nullptr;

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].first, QStringLiteral("Printeren svarer ikke"));
    EXPECT_EQ(shown[0].second, QStringLiteral("Kolvane"));
    EXPECT_EQ(shown[1].first, QStringLiteral("Der opstod en ukendt fejl."));
}

} // namespace
