// What the program does on a desktop that neither fades windows nor says where the pointer is
// (a Wayland session; the offscreen platform behaves alike): the intro picture fades itself in
// from black, the view scrolls only once the pointer has entered it, and the backslash key is
// found in the keyboard layout the compositor hands out, whatever the layout.
#include "AppFixture.h"
#include "KeyTranslation.h"
#include "present/TImage.h"

#include "edit/Editor.h"
#include "render/MapView.h"

#include <QEnterEvent>
#include <QtTest>

#include <xkbcommon/xkbcommon.h>

using korvan::testing::CollectedErrors;
using korvan::testing::RunIntro;
using korvan::testing::UseOfflineMusic;

namespace {

double MeanBrightness(const QImage& image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            sum += qRed(p) + qGreen(p) + qBlue(p);
        }
    return sum / (3.0 * ((image.height() + 1) / 2) * ((image.width() + 1) / 2));
}

}  // namespace

class WaylandReadyTest : public QObject {
    Q_OBJECT

private slots:
    void IntroPictureFadesInFromBlackWhereTheWindowCannot()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        form.SplatTimer->stop();
        QVector<double> levels;
        for (int t = 0; t <= 300; ++t) {
            if (t % 50 == 0 || t == 254)
                levels << MeanBrightness(form.Image1->grab().toImage());
            form.SplatTimerTimer();
        }
        QCOMPARE(form.windowOpacity(), 1.0);  // the window is left alone: it cannot fade
        QVERIFY2(levels.front() < 1.0, "the intro starts black");
        for (int k = 1; k < levels.size(); ++k)
            QVERIFY2(levels[k] >= levels[k - 1], "the picture never darkens during the fade");
        QVERIFY(levels[2] > levels.front() + 5);
        QVERIFY(levels[4] > levels[2] + 5);
        QVERIFY(levels.back() > 20);
        // Tick 254 shows level 254 of 255; from tick 255 on the picture is at full strength.
        QVERIFY(levels.back() - levels[levels.size() - 2] < 1.5);
    }

    void ViewWaitsForThePointerToEnter()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        RunIntro(form);
        korvan::Editor& editor = form.State();
        const std::int32_t scrollY = editor.Canvas.ScrollY;
        for (int tick = 0; tick < 5; ++tick)
            form.Timer1Timer();
        QCOMPARE(editor.Canvas.ScrollY, scrollY);  // the start value (0, 0) lies in the top band
        // The pointer comes into the view at its top edge, without moving afterwards.
        QEnterEvent enter(QPointF(100, 5), QPointF(100, 5), QPointF(100, 5));
        QCoreApplication::sendEvent(form.Image1, &enter);
        QCOMPARE(editor.Canvas.CursorX, 66);
        QCOMPARE(editor.Canvas.CursorY, -15);
        form.Timer1Timer();
        QCOMPARE(editor.Canvas.ScrollY, std::min(scrollY + 33, korvan::ScrollYMax));
    }

    void BackslashKeyByLayout_data()
    {
        QTest::addColumn<QString>("layouts");
        QTest::addColumn<quint32>("keyCode");  // XKB key code: evdev + 8
        QTest::addColumn<QString>("typed");    // the key symbol the event carries
        QTest::addColumn<bool>("steps");
        // US: the key left of Enter types \ and, with Shift, |.
        QTest::newRow("us \\") << "us" << 51u << "backslash" << true;
        QTest::newRow("us Shift+\\") << "us" << 51u << "bar" << true;
        QTest::newRow("us `") << "us" << 49u << "grave" << false;
        QTest::newRow("us Shift+1") << "us" << 10u << "exclam" << false;
        // Italian: \ and | on the key left of 1; the key left of Enter types ù and §.
        QTest::newRow("it \\") << "it" << 49u << "backslash" << true;
        QTest::newRow("it Shift+\\") << "it" << 49u << "bar" << true;
        QTest::newRow("it ù") << "it" << 51u << "ugrave" << false;
        QTest::newRow("it Shift+ù") << "it" << 51u << "section" << false;
        // German: \ only with AltGr (its own key symbol reaches the bindings directly), not plain.
        QTest::newRow("de ß") << "de" << 20u << "ssharp" << false;
        // UK: \ and | on the extra key beside left Shift; # and ~ left of Enter.
        QTest::newRow("gb \\") << "gb" << 94u << "bar" << true;
        QTest::newRow("gb #") << "gb" << 51u << "asciitilde" << false;
        // Two layouts: the symbol typed tells which one is active.
        QTest::newRow("us,it: Italian active, ù") << "us,it" << 51u << "ugrave" << false;
        QTest::newRow("us,it: US active, |") << "us,it" << 51u << "bar" << true;
        QTest::newRow("us,it: Italian active, |") << "us,it" << 49u << "bar" << true;
        QTest::newRow("us,it: US active, ~") << "us,it" << 49u << "asciitilde" << false;
        // A synthetic event carries no symbol: the first layout decides.
        QTest::newRow("it, no symbol") << "it" << 49u << "" << true;
    }

    void BackslashKeyByLayout()
    {
        QFETCH(QString, layouts);
        QFETCH(quint32, keyCode);
        QFETCH(QString, typed);
        QFETCH(bool, steps);
        xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        const QByteArray layout = layouts.toUtf8();
        const xkb_rule_names names = {"evdev", "pc105", layout.constData(), "", ""};
        xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
        QVERIFY(keymap != nullptr);
        const quint32 symbol =
            typed.isEmpty() ? 0 : xkb_keysym_from_name(typed.toUtf8().constData(), XKB_KEYSYM_NO_FLAGS);
        QVERIFY(typed.isEmpty() || symbol != XKB_KEY_NoSymbol);
        QCOMPARE(KeyTypesBackslash(keymap, keyCode, symbol), steps);
        xkb_keymap_unref(keymap);
        xkb_context_unref(context);
    }
};

QTEST_MAIN(WaylandReadyTest)
#include "wayland_ready_test.moc"
