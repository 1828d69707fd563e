#include "numeric_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

namespace wegator {
namespace {

TEST(NumericEdit, LetsOnlyNumberCharactersInWhetherTypedOrPasted) {
    NumericEdit edit;

    QTest::keyClicks(&edit, QStringLiteral("1a2,5 x-.°"));
    EXPECT_EQ(edit.text(), QStringLiteral("12,5-."));

    // Typing in the middle: the dropped character does not move the cursor on.
    edit.ShowText(QStringLiteral("12"));
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, QStringLiteral("k9"));
    EXPECT_EQ(edit.text(), QStringLiteral("192"));
    EXPECT_EQ(edit.cursorPosition(), 2);

    // Pasted text goes through the same filter.
    edit.clear();
    QApplication::clipboard()->setText(QStringLiteral("T = -3.14 °C"));
    edit.paste();
    EXPECT_EQ(edit.text(), QStringLiteral("-3.14"));

    // What the program writes itself is shown as it is, and is no edit.
    int edits = 0;
    QObject::connect(&edit, &QLineEdit::textEdited, [&edits] { ++edits; });
    edit.ShowText(QStringLiteral("n/a"));
    EXPECT_EQ(edit.text(), QStringLiteral("n/a"));
    EXPECT_EQ(edits, 0);
}

}  // namespace
}  // namespace wegator
