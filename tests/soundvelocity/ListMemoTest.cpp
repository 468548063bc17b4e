// The sound-velocity window's lists: lines shown through the view, edited by hand
// in the text control that takes its place, and read back.

#include "soundvelocity/LinesView.h"
#include "soundvelocity/ListMemo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using skerra::svp::LinesView;
using skerra::svp::ListMemo;
using Lines = std::vector<std::string>;

void typeText(QWidget* into, const QString& typed)
{
    for (const QChar c : typed) {
        const bool enter = c == QLatin1Char('\n');
        QKeyEvent press(QEvent::KeyPress, enter ? int(Qt::Key_Return) : int(c.toUpper().unicode()), Qt::NoModifier,
                        enter ? QStringLiteral("\r") : QString(c));
        QApplication::sendEvent(into, &press);
    }
}

void click(QWidget* at, QPoint point)
{
    QMouseEvent press(QEvent::MouseButtonPress, point, at->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(at, &press);
}

// Pixels far from the background: the text drawn.
int inkPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 128;
    return n;
}

TEST(ListMemo, TextSplitsIntoLinesAndJoinsBackAsItWas)
{
    const struct {
        const char* text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"1500.00", {"1500.00"}},
        {"a\nb", {"a", "b"}},
        {"a\n", {"a", ""}},
        {"\n", {"", ""}},
        {"0,1500\n\n\n", {"0,1500", "", "", ""}},
        {"Geschwindigkeit ü,1500", {"Geschwindigkeit \xC3\xBC,1500"}},
    };
    for (const auto& c : cases) {
        ListMemo memo("m");
        memo.setPlainText(QString::fromUtf8(c.text));
        EXPECT_EQ(memo.lines(), c.lines) << c.text;
        EXPECT_EQ(memo.toPlainText(), QString::fromUtf8(c.text));
        EXPECT_EQ(memo.editor()->toPlainText(), QString::fromUtf8(c.text)) << "in the text control";
        EXPECT_EQ(memo.lines(), c.lines) << "read back: " << c.text;
    }
}

// A click into a long list opens it for editing at the line clicked; what is typed
// is what the lines become; the next write shows the view again with the new lines,
// and opening the list again shows those, not the old edit.
TEST(ListMemo, ClickEditsAtTheLineAndAWriteShowsTheViewAgain)
{
    ListMemo memo("mRawSVExtracted");
    memo.resize(200, 300);
    memo.show();
    Lines many;
    for (int i = 0; i < 20000; ++i) many.push_back(std::to_string(i) + ",1500.000");
    memo.setLines(many);
    EXPECT_FALSE(memo.editing());
    LinesView* view = memo.view();
    EXPECT_GT(view->verticalScrollBar()->maximum(), 19900) << "every line can be scrolled to";

    view->verticalScrollBar()->setValue(100);
    const int lineHeight = view->fontMetrics().lineSpacing();
    click(view->viewport(), QPoint(10, LinesView::kMargin + 2 * lineHeight + lineHeight / 2));
    ASSERT_TRUE(memo.editing());
    QPlainTextEdit* editor = memo.editor();
    EXPECT_EQ(editor->textCursor().blockNumber(), 102);
    EXPECT_EQ(editor->document()->blockCount(), 20000);

    editor->moveCursor(QTextCursor::StartOfLine);
    typeText(editor, "x");
    EXPECT_EQ(memo.lines()[102], "x102,1500.000");
    EXPECT_EQ(memo.lines().size(), 20000u);
    EXPECT_TRUE(memo.toPlainText().contains("\nx102,1500.000\n"));

    memo.setLines({"0,1490.000", "1,1491.000"});
    EXPECT_FALSE(memo.editing());
    EXPECT_EQ(memo.lines(), (Lines{"0,1490.000", "1,1491.000"}));
    EXPECT_EQ(memo.editor()->toPlainText(), "0,1490.000\n1,1491.000");
    typeText(memo.editor(), "\n");
    EXPECT_EQ(memo.lines(), (Lines{"", "0,1490.000", "1,1491.000"})) << "typed at the top, where it opened";
}

TEST(ListMemo, TabIntoTheListOpensItForEditing)
{
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* memo = new ListMemo("mSVPColumn", &window);
    memo->setLines({"1500.00"});
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    before->setFocus();
    ASSERT_FALSE(memo->editing());
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(before, &tab);
    EXPECT_TRUE(memo->editing());
    EXPECT_TRUE(memo->editor()->hasFocus());
    EXPECT_EQ(memo->editor()->toPlainText(), "1500.00");
}

// The view draws what it holds, after every write.
TEST(ListMemo, ViewDrawsTheLinesWritten)
{
    ListMemo memo("m");
    memo.resize(160, 120);
    memo.show();
    auto drawn = [&] { return inkPixels(memo.view()->viewport()->grab().toImage()); };
    EXPECT_EQ(drawn(), 0);
    memo.setLines({"1500.00", "1501.00", "1502.00"});
    const int three = drawn();
    EXPECT_GT(three, 30);
    memo.setLines({"1500.00"});
    EXPECT_GT(drawn(), 10);
    EXPECT_LT(drawn(), three);
    memo.clear();
    EXPECT_EQ(drawn(), 0);
}

}  // namespace
