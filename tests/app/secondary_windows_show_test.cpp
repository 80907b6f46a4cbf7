// The show action of the secondary windows, their close box, and the terms box that follows the window.
#include "app/SecondaryWindowLookup.h"

#include "windows/SecondaryWindows.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const char* const AllWindows[] = {"Author",        "Versione",      "Crediti_Grafica", "Crediti_Sonoro",
                                  "Crediti_Altro", "Guida_Generale", "Guida_Editor",    "Tiles_Terreno",
                                  "Tiles_Risorse", "Tiles_Fiumi",   "Tiles_Strade",    "Tiles_Status_Terreno",
                                  "Opzioni_Mappa", "Licenza"};

// Stands in for the editor window: counts the keys that reach it.
class KeyCounter : public QWidget {
public:
    int Keys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++Keys; }
};

QPlainTextEdit* Memo() { return ControlOf<QPlainTextEdit>("Licenza", "Memo1"); }

// What the window shows; for the terms window, whose caret blinks, the text it holds.
QVariant Contents(QWidget* window)
{
    if (window == Memo()->window())
        return Memo()->toPlainText();
    return window->grab().toImage();
}

bool FocusIsIn(QWidget* window)
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == window || window->isAncestorOf(focus));
}

}  // namespace

class SecondaryWindowsShowTest : public QObject {
    Q_OBJECT

    KeyCounter editor_;

private slots:
    void initTestCase()
    {
        editor_.resize(640, 462);
        editor_.show();
        editor_.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor_));
        CreateSecondaryWindows();
    }
    void cleanupTestCase() { DestroySecondaryWindows(); }

    void showMakesTheWindowVisibleEnabledAndFocused()
    {
        for (const char* name : AllWindows) {
            QWidget* window = SecondaryWindow(name);
            const QVariant before = Contents(window);
            window->setEnabled(false);
            ShowSecondaryWindow(window);
            QVERIFY2(window->isVisible(), name);
            QVERIFY2(window->isEnabled(), name);
            QVERIFY2(QTest::qWaitForWindowActive(window), name);
            QCOMPARE(QApplication::activeWindow(), window);
            QVERIFY2(FocusIsIn(window), name);
            QVERIFY2(Contents(window) == before, name);  // nothing is changed or reloaded
            window->close();
            QVERIFY2(!window->isVisible(), name);
        }
    }

    void showingAnOpenWindowAgainOpensNoSecondOne()
    {
        QWidget* window = SecondaryWindow("Versione");
        const int windows = QApplication::topLevelWidgets().size();
        ShowSecondaryWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        editor_.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor_));
        ShowSecondaryWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QCOMPARE(SecondaryWindow("Versione"), window);
        window->close();
    }

    void closingHidesAndShowingAgainKeepsPlaceSizeAndContents()
    {
        for (const char* name : AllWindows) {
            QPointer<QWidget> window = SecondaryWindow(name);
            ShowSecondaryWindow(window);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            window->move(window->pos() + QPoint(13, 7));
            window->resize(window->size() + QSize(20, 10));
            const QRect where = window->geometry();
            const QVariant before = Contents(window);
            QVERIFY2(window->close(), name);
            QCoreApplication::processEvents();
            QVERIFY2(!window.isNull(), name);
            QVERIFY2(!window->isVisible(), name);
            ShowSecondaryWindow(window);
            QVERIFY2(QTest::qWaitForWindowExposed(window), name);
            QCOMPARE(window->geometry(), where);
            QVERIFY2(Contents(window) == before, name);
            window->close();
        }
    }

    void keysInASecondaryWindowDoNotReachTheEditor()
    {
        for (const char* name : {"Tiles_Terreno", "Licenza", "Author"}) {
            QWidget* window = SecondaryWindow(name);
            ShowSecondaryWindow(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
            const int before = editor_.Keys;
            QTest::keyClick(window->windowHandle(), Qt::Key_Backslash);
            QTest::keyClick(window->windowHandle(), Qt::Key_1);
            QCOMPARE(editor_.Keys, before);
            window->close();
        }
        Memo()->undo();  // the two keys typed into the terms box
        Memo()->undo();
    }

    void termsBoxHoldsTheTermsWordWrappedWithoutScrollBars()
    {
        QPlainTextEdit* memo = Memo();
        QVERIFY(memo != nullptr);
        QCOMPARE(memo->document()->blockCount(), 23);
        const QStringList lines = memo->toPlainText().split('\n');
        QVERIFY(lines.first().startsWith("Licenza d'Uso"));
        QVERIFY(lines.contains("Avviso Importante:"));
        QVERIFY(lines.contains("Limitazioni D'Uso"));
        QVERIFY(lines.last().contains("senza alcuna garanzia"));
        QVERIFY(memo->toPlainText().contains("permesso"));
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!memo->isReadOnly());
        QCOMPARE(memo->font().pixelSize(), 11);
        QVERIFY(memo->font().bold());
        QCOMPARE(memo->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
        QCOMPARE(memo->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
    }

    void termsBoxFollowsTheWindowAndNothingElseMoves()
    {
        for (const char* name : AllWindows) {
            QWidget* window = SecondaryWindow(name);
            ShowSecondaryWindow(window);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QList<QRect> before;
            const QList<QWidget*> controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (QWidget* control : controls)
                before.append(control->geometry());
            for (QSize size : {QSize(600, 480), QSize(150, 40)}) {
                window->resize(size);
                QCoreApplication::processEvents();
                for (int i = 0; i < controls.size(); ++i) {
                    if (controls[i] == Memo())
                        QCOMPARE(controls[i]->geometry(), window->rect());
                    else
                        QCOMPARE(controls[i]->geometry(), before[i]);
                }
            }
            window->close();
        }
    }

    void middleButtonPastesNothingIntoTheTerms()
    {
        QPlainTextEdit* memo = Memo();
        ShowSecondaryWindow(memo->window());
        QGuiApplication::clipboard()->setText("pasted by the middle button", QClipboard::Selection);
        const QString before = memo->toPlainText();
        QTest::mouseClick(memo->viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(memo->toPlainText(), before);
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QTest::keyClicks(memo, "x");  // typing still works
        QCOMPARE(memo->toPlainText().size(), before.size() + 1);
        memo->setPlainText(before);
        memo->window()->close();
    }

    void typedTermsStayAfterCloseAndShow()
    {
        QWidget* window = SecondaryWindow("Licenza");
        ShowSecondaryWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::focusWidget(), Memo());
        for (char key : QByteArray("Letto e accettato."))  // through the window, as a user types
            QTest::keyClick(window->windowHandle(), key);
        QVERIFY(Memo()->toPlainText().contains("Letto e accettato."));
        const QString typed = Memo()->toPlainText();
        window->close();
        ShowSecondaryWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(Memo()->toPlainText(), typed);
        QCOMPARE(QApplication::focusWidget(), Memo());
        window->close();
    }

    void closingTheEditorEndsTheProgramWhileACardIsOpen()
    {
        QWidget* card = SecondaryWindow("Author");
        ShowSecondaryWindow(card);
        QVERIFY(QTest::qWaitForWindowExposed(card));
        // The quit on the last window only happens inside a running event loop.
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool stuck = false;
        QTimer::singleShot(0, &editor_, [this] { editor_.close(); });
        QTimer::singleShot(10000, qApp, [&stuck] {
            stuck = true;
            QCoreApplication::exit(1);
        });
        QCoreApplication::exec();
        QVERIFY(!stuck);
        QCOMPARE(lastClosed.count(), 1);
        card->close();
    }
};

QTEST_MAIN(SecondaryWindowsShowTest)
#include "secondary_windows_show_test.moc"
