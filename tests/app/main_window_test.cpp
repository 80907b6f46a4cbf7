// The main window through its handlers and real Qt events: intro, editor switch, input.
#include "AppFixture.h"
#include "TImage.h"

#include "edit/Editor.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QtTest>

using korvan::testing::CollectedErrors;
using korvan::testing::RunIntro;
using korvan::testing::UseOfflineMusic;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void IntroTicksFadeInAndSwitchAtTwelveFifty()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        form.SplatTimer->stop();
        QCOMPARE(form.AlphaBlendValue, 0);
        QVERIFY(form.AlphaBlend);
        QVERIFY(!form.MainMenu1->isVisible());
        for (QMenu* menu : form.TopMenus)
            QVERIFY(!menu->menuAction()->isVisible());

        for (int t = 0; t < 10; ++t)
            form.SplatTimerTimer();
        QCOMPARE(form.AlphaBlendValue, 10);
        QVERIFY(!form.MediaPlayer1->IsOpen());
        form.SplatTimerTimer();  // tick 10: the music starts and the fade goes on
        QCOMPARE(form.AlphaBlendValue, 11);
        QVERIFY(form.MediaPlayer1->IsPlaying());
        QCOMPARE(form.MediaPlayer1->FileName(), QString("Music/Music1.mid"));

        while (form.IntroTick < 255)
            form.SplatTimerTimer();
        QCOMPARE(form.AlphaBlendValue, 255);
        QVERIFY(form.AlphaBlend);
        form.SplatTimerTimer();  // tick 255: blending off, never wraps to 0
        QCOMPARE(form.AlphaBlendValue, 255);
        QVERIFY(!form.AlphaBlend);
        while (form.IntroTick < 601)
            form.SplatTimerTimer();
        const QSize introSize = form.size();
        const QPoint introPlace = form.pos();
        while (form.IntroTick < 1250) {  // ticks 601..1249 change nothing but the count
            form.SplatTimerTimer();
            QVERIFY(!form.AlphaBlend);
            QCOMPARE(form.AlphaBlendValue, 255);
        }
        QCOMPARE(form.size(), introSize);
        QCOMPARE(form.pos(), introPlace);
        QVERIFY(!form.Timer1->isActive());
        QVERIFY(!form.MainMenu1->isVisible());
        QCOMPARE(form.size(), QSize(400, 300));

        form.SplatTimerTimer();  // tick 1250: the editor
        QCOMPARE(form.IntroTick, 1251);
        QVERIFY(!form.SplatTimer->isActive());
        QVERIFY(form.Timer1->isActive());
        QVERIFY(form.MainMenu1->isVisible());
        for (QMenu* menu : form.TopMenus)
            QVERIFY(menu->menuAction()->isVisible());
        QCOMPARE(form.MediaPlayer1->FileName(), QString("Music/Music2.mid"));
        QVERIFY(form.MediaPlayer1->IsPlaying());
        QCOMPARE(errors.Texts, QStringList());
    }

    void EditorWindowHasAFixedViewBelowTheMenu()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        RunIntro(form);
        QCOMPARE(form.centralWidget()->size(), QSize(640, 462));
        QCOMPARE(form.centralWidget()->y(), form.MainMenu1->height());
        QCOMPARE(form.Image1->size(), QSize(640, 480));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        // No pointer over the view; the arrow over the menu bar and in the menus.
        QCOMPARE(form.centralWidget()->cursor().shape(), Qt::BlankCursor);
        QCOMPARE(form.Image1->cursor().shape(), Qt::BlankCursor);
        QCOMPARE(form.MainMenu1->cursor().shape(), Qt::ArrowCursor);
        for (QMenu* menu : form.TopMenus)
            QCOMPARE(menu->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(form.windowTitle(),
                 QString("Generatore & Editor di Mappe Isometriche per Strategici in tempo reale o a turni V " KORVAN_VERSION));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(form.frameGeometry().top(), (screen.height() - form.frameGeometry().height()) / 2);
        QCOMPARE(form.frameGeometry().left(), (screen.width() - form.frameGeometry().width()) / 2);
    }

    void FrameTicksDrawTheMapAndKeepGoing()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        RunIntro(form);
        korvan::Editor& editor = form.State();
        editor.CursorX = 300;
        editor.CursorY = 200;
        form.Timer1Timer();
        QVERIFY(form.Timer1->isActive());  // restarted at the end of the tick
        const auto& pixels = editor.BackBuffer.Pixels;
        QCOMPARE(int(pixels.size()), 640 * 480);
        int drawn = 0;
        for (int y = 0; y < 462; ++y)
            for (int x = 0; x < 640; ++x)
                drawn += pixels[std::size_t(y) * 640 + std::size_t(x)] != 0;
        QVERIFY(drawn > 100000);
        QCOMPARE(errors.Texts, QStringList());
    }

    void PointerMovesSetTheCursor()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        RunIntro(form);
        QMouseEvent overImage(QEvent::MouseMove, QPointF(100, 50), QPointF(100, 50), Qt::NoButton, Qt::NoButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(form.Image1, &overImage);
        QCOMPARE(form.State().CursorX, 66);
        QCOMPARE(form.State().CursorY, 30);
        form.FormMouseMove(&form, Qt::NoModifier, 100, 50);
        QCOMPARE(form.State().CursorX, 80);
        QCOMPARE(form.State().CursorY, 30);
    }

    void KeysReachTheBindingsByPhysicalKey()
    {
        CollectedErrors errors;
        TForm_Main form;
        korvan::Editor& editor = form.State();
        auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, quint32 scanCode, const QString& text) {
            QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text);
            QCoreApplication::sendEvent(&form, &event);
        };
        // Keys already act during the intro.
        press(Qt::Key_Exclam, Qt::ShiftModifier, 10, "!");  // Shift+1 is still the key "1"
        QCOMPARE(editor.ItemTerrit, 1);
        QCOMPARE(editor.EditMode, 3);
        press(Qt::Key_1, Qt::KeypadModifier, 87, "1");  // keypad 1: nothing
        QCOMPARE(editor.ItemTerrit, 1);
        press(Qt::Key_2, Qt::NoModifier, 0, "2");  // synthetic event without a physical code
        QCOMPARE(editor.ItemLands, 1);
        for (int i = 0; i < 5; ++i)
            press(Qt::Key_Backslash, Qt::NoModifier, 51, "\\");
        QCOMPARE(editor.EditMode, 3);
        // Without an X server's layout the key is judged by what it types: a backslash steps the
        // mode wherever its key is; the key at the US backslash place typing "ù" does not.
        press(Qt::Key_Ugrave, Qt::NoModifier, 51, "ù");
        QCOMPARE(editor.EditMode, 3);
        press(Qt::Key_Backslash, Qt::NoModifier, 49, "\\");
        QCOMPARE(editor.EditMode, 4);
        press(Qt::Key_6, Qt::NoModifier, 15, "6");
        press(Qt::Key_A, Qt::NoModifier, 38, "a");
        QCOMPARE(editor.EditMode, 4);
        QCOMPARE(editor.ItemTerrit + editor.ItemLands + editor.ItemTerrain + editor.ItemUnits + editor.ItemQuadri, 2);
    }

    void ButtonsPaintStepAndScroll()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        RunIntro(form);
        korvan::Editor& editor = form.State();
        // Right press in mode 1 at 59 wraps to 0.
        editor.EditMode = 1;
        editor.ItemLands = 59;
        QTest::mouseMove(form.Image1, QPoint(334, 220));
        QTest::mouseClick(form.Image1, Qt::RightButton, Qt::NoModifier, QPoint(334, 220));
        QCOMPARE(editor.ItemLands, 0);

        // Left press in mode 0 paints the cell whose scrolled anchor is under the cursor.
        editor.ScrollX = 0;
        editor.ScrollY = 0;
        editor.EditMode = 0;
        editor.ItemTerrit = 7;
        const korvan::MapCell target = editor.Cells[3][4];  // anchor (231, 19)
        QTest::mouseMove(form.Image1, QPoint(231 + 34, 19 + 20 + 1));
        QTest::mouseClick(form.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(231 + 34, 19 + 20 + 1));
        QCOMPARE(int(editor.Cells[3][4].Terrain), 7);
        QCOMPARE(editor.Cells[3][4].LandsTile, target.LandsTile);

        // Middle press in the right band only scrolls.
        const auto before = editor.Cells;
        QTest::mouseMove(form.Image1, QPoint(620, 200));
        QTest::mouseClick(form.Image1, Qt::MiddleButton, Qt::NoModifier, QPoint(620, 200));
        QCOMPARE(editor.ScrollX, -65);
        QVERIFY(std::memcmp(&before, &editor.Cells, sizeof before) == 0);
    }

    void ErrorBoxText()
    {
        QCOMPARE(::ErrorBoxText("File not found"), QString("File not found."));
        QCOMPARE(::ErrorBoxText("I/O error 5"), QString("I/O error 5."));
        QCOMPARE(::ErrorBoxText("Già fatto."), QString("Già fatto."));
        QCOMPARE(::ErrorBoxText("Attenzione!"), QString("Attenzione!"));  // '!' sorts before '.'
        QCOMPARE(::ErrorBoxText("(x)"), QString("(x)"));
        QCOMPARE(::ErrorBoxText(""), QString(""));
        QCOMPARE(ApplicationTitle(), QString("main_window_test"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
