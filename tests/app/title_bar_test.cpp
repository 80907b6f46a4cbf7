// The title bar the editor's window draws itself where the window system draws none: the caption
// read from its start, no maximise control, close and minimise acting on the window, and the
// editor's client area below it exactly as elsewhere.
#include "AppFixture.h"
#include "TitleBar.h"
#include "WindowSystem.h"
#include "present/TImage.h"

#include "edit/Editor.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QtTest>

using korvan::testing::CollectedErrors;
using korvan::testing::RunIntro;
using korvan::testing::UseOfflineMusic;

namespace {

const QString LongCaption =
    "Generatore & Editor di Mappe Isometriche per Strategici in tempo reale o a turni V " KORVAN_VERSION;

// A window that counts what reaches it.
class Counting : public QWidget {
public:
    Counting() { setMouseTracking(true); }
    int Closes = 0;
    int Moves = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++Closes;
        event->ignore();
    }
    void mouseMoveEvent(QMouseEvent*) override { ++Moves; }
};

}  // namespace

class TitleBarTest : public QObject {
    Q_OBJECT

private slots:
    void CaptionReadsFromItsStart_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("caption");
        QTest::newRow("the editor's caption, 640 wide") << 640 << LongCaption;
        QTest::newRow("the editor's caption, 300 wide") << 300 << LongCaption;
        QTest::newRow("the editor's caption, 120 wide") << 120 << LongCaption;
        QTest::newRow("a short caption") << 300 << QString("Versione");
    }

    void CaptionReadsFromItsStart()
    {
        QFETCH(int, width);
        QFETCH(QString, caption);
        Counting window;
        window.setWindowTitle(caption);
        TitleBar bar(&window);
        bar.setGeometry(0, 0, width, bar.sizeHint().height());
        window.resize(width, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString shown = bar.ShownCaption();
        QVERIFY2(shown.size() >= 3, qPrintable(shown));
        if (shown == caption)
            return;
        // Cut at its end only: what is shown is the caption's beginning and an ellipsis.
        QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
        QVERIFY2(caption.startsWith(shown.chopped(1)), qPrintable(shown));
        QCOMPARE(bar.findChild<QWidget*>("Caption")->toolTip(), caption);
    }

    void CaptionFollowsTheWindowAndFitsTheEditorsWidth()
    {
        Counting window;
        window.setWindowTitle("Versione");
        TitleBar bar(&window);
        bar.setGeometry(0, 0, 640, bar.sizeHint().height());
        window.resize(640, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(bar.ShownCaption(), QString("Versione"));
        window.setWindowTitle(LongCaption);
        QCOMPARE(bar.ShownCaption(), LongCaption);  // the editor's caption fits its 640 pixels whole
    }

    void ControlsAreMinimiseAndCloseOnly()
    {
        Counting window;
        TitleBar bar(&window);
        const QList<QAbstractButton*> buttons = bar.findChildren<QAbstractButton*>();
        QCOMPARE(buttons.size(), 2);  // no maximise: the window's size is fixed
        QVERIFY(buttons.contains(bar.MinimiseButton()));
        QVERIFY(buttons.contains(bar.CloseButton()));
        for (QAbstractButton* button : buttons)
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);  // the keys stay with the editor
        window.resize(640, 100);
        window.show();
        bar.setGeometry(0, 0, 640, bar.sizeHint().height());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // At the right end, side by side, each the bar's height.
        QCOMPARE(bar.CloseButton()->geometry().right(), 639);
        QCOMPARE(bar.MinimiseButton()->geometry().right() + 1, bar.CloseButton()->x());
        for (QAbstractButton* button : buttons) {
            QVERIFY(button->isVisible());
            QCOMPARE(button->height(), bar.height());
            QVERIFY(button->width() >= 20);
        }

        bar.CloseButton()->click();  // the window's own close decides, as with a window manager's box
        QCOMPARE(window.Closes, 1);
        QVERIFY(window.isVisible());
        bar.MinimiseButton()->click();
        QVERIFY(window.windowState() & Qt::WindowMinimized);
    }

    void PointerOverTheBarStaysThere()
    {
        Counting window;
        TitleBar bar(&window);
        window.resize(640, 100);
        bar.setGeometry(0, 0, 640, bar.sizeHint().height());
        QMouseEvent move(QEvent::MouseMove, QPointF(50, 5), QPointF(50, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&bar, &move);
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(50, 5), QPointF(50, 5), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&bar, &twice);
        QCOMPARE(window.Moves, 0);
        QCOMPARE(window.windowState(), Qt::WindowNoState);  // a double click maximises nothing
    }

    void EditorWindowWithItsOwnBar()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        QVERIFY(!form.DrawsOwnTitleBar);  // the offscreen platform is no Wayland desktop
        QVERIFY(!ProgramDrawsTitleBar());
        form.DrawsOwnTitleBar = true;
        RunIntro(form);
        QVERIFY(form.TitleBar1 != nullptr);
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        const int title = form.TitleBar1->height();
        QVERIFY(title >= 16);
        QCOMPARE(form.TitleBar1->geometry(), QRect(0, 0, 640, title));
        QVERIFY(form.TitleBar1->isVisible());
        QCOMPARE(form.TitleBar1->ShownCaption(), form.windowTitle());
        // Below it, the menu bar and the view as in every other window system.
        QCOMPARE(form.MainMenu1->geometry().top(), title);
        QCOMPARE(form.MainMenu1->width(), 640);
        QCOMPARE(form.centralWidget()->geometry(), QRect(0, title + form.MainMenu1->height(), 640, 462));
        QCOMPARE(form.size(), QSize(640, title + form.MainMenu1->height() + 462));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.Image1->size(), QSize(640, 480));
        // A pointer over the bar is no pointer over the map.
        korvan::Editor& editor = form.State();
        editor.Canvas.CursorX = 300;
        editor.Canvas.CursorY = 200;
        QMouseEvent move(QEvent::MouseMove, QPointF(50, 5), QPointF(50, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form.TitleBar1, &move);
        QCOMPARE(editor.Canvas.CursorX, 300);
        QCOMPARE(editor.Canvas.CursorY, 200);
        QCOMPARE(errors.Texts, QStringList());
    }
};

QTEST_MAIN(TitleBarTest)
#include "title_bar_test.moc"
