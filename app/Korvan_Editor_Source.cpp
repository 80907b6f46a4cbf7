// The main window's life: creation, the intro, the switch to the editor, the frame tick.
#include "Korvan_Editor_Source.h"

#include "CompiledPictures.h"
#include "ErrorBox.h"
#include "ItalianQtTexts.h"
#include "MediaPlayer.h"
#include "present/TImage.h"
#include "TitleBar.h"
#include "WindowSystem.h"
#include "X11Requests.h"

#include "base/AssetLookup.h"
#include "base/Version.h"
#include "edit/Brush.h"
#include "edit/FrameCache.h"
#include "edit/NewMap.h"
#include "render/ArtworkSetup.h"
#include "render/BmpFile.h"
#include "render/OverviewPicture.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

TForm_Main* Form_Main = nullptr;

namespace {

// "... a turni V " and the project's version.
const QString MainCaption =
    QString("Generatore & Editor di Mappe Isometriche per Strategici in tempo reale o a turni V ") + korvan::Version;

constexpr int IntroWidth = 400;
constexpr int IntroHeight = 300;
constexpr int ViewWidth = 640;    // the client area below the menu bar
constexpr int ViewHeight = 462;
constexpr int ImageHeight = 480;  // the back buffer; its last rows lie under the window's edge

// Ticks: the frame tick follows 15 ms after a frame ends; the intro ticks every 4 ms of its own
// clock, so its 1,250 ticks last five seconds however late the timer fires.
constexpr int FrameIntervalMs = 15;
constexpr int IntroIntervalMs = 4;

// Byte for byte: the install folder's name may be in any encoding.
std::string FindAsset(const std::string& name) { return korvan::ResolveAsset(name, korvan::ExecutableFolder()); }

// A file of the artwork that fails to load goes to the error box, and start-up goes on.
void ReportLoadError(const std::exception& error) { ShowErrorBox(QString::fromUtf8(error.what())); }

void SetBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

TForm_Main::TForm_Main(QWidget* parent) : QMainWindow(parent), editor_(std::make_unique<korvan::Editor>())
{
    Form_Main = this;
    UseItalianQtTexts();
    setWindowTitle(MainCaption);
    RegisterCompiledPictures();
    setWindowIcon(QIcon(":/pictures/KorvanIcon.png"));
    SetOpacity(0.0);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    DrawsOwnTitleBar = ProgramDrawsTitleBar();
    CreateComponents();
    CreateMainMenu();
    FormCreate();
}

TForm_Main::~TForm_Main()
{
    // The player closes its file with the window; the sheets and the back buffer go with editor_.
    if (Image1 != nullptr)
        Image1->SetBackBuffer(nullptr);
    if (Form_Main == this)
        Form_Main = nullptr;
}

void TForm_Main::CreateComponents()
{
    auto* client = new QWidget(this);
    client->setMouseTracking(true);
    setCentralWidget(client);
    SetBackground(client, QColor(0x80, 0x80, 0x80));  // grey until the editor switch

    Image1 = new TImage(client);
    Image1->SetPictureLevel(pictureLevel_);
    Image1->hide();
    Image1->OnMouseMove = [this](int x, int y) { MouseInfo(Image1, QGuiApplication::keyboardModifiers(), x, y); };
    Image1->OnMouseDown = [this](Qt::MouseButton button, int x, int y) {
        const auto modifiers = QGuiApplication::keyboardModifiers();
        if (button == Qt::LeftButton)
            MapClick(Image1, korvan::MouseButton::Left, modifiers, x, y);
        else if (button == Qt::RightButton)
            MapClick(Image1, korvan::MouseButton::Right, modifiers, x, y);
        else if (button == Qt::MiddleButton)
            MapClick(Image1, korvan::MouseButton::Middle, modifiers, x, y);
    };

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);  // restarted at the end of each tick: ticks never overlap or queue
    Timer1->setInterval(FrameIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TForm_Main::Timer1Timer);

    SplatTimer = new QTimer(this);
    SplatTimer->setSingleShot(true);
    SplatTimer->setTimerType(Qt::PreciseTimer);
    SplatTimer->setInterval(IntroIntervalMs);
    connect(SplatTimer, &QTimer::timeout, this, &TForm_Main::IntroTimerFired);

    MediaPlayer1 = new TMediaPlayer(this);
    connect(MediaPlayer1, &TMediaPlayer::Notify, this, &TForm_Main::MediaPlayer1Notify);

    Musica = new QPushButton("Musica", client);
    Musica->hide();
    connect(Musica, &QPushButton::clicked, this, [this] { RunReportedOnce([this] { MusicaClick(); }); });

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::AnyFile);  // the chosen file need not exist
    // Qt shows a filter's pattern after its description unless told not to: the description
    // alone is shown, with its own spacing.
    OpenDialog1->setOption(QFileDialog::HideNameFilterDetails);
    OpenDialog1->setNameFilter("KORVAN Generator ( *.korv ) (*.korv)");

    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setOption(QFileDialog::HideNameFilterDetails);
    SaveDialog1->setNameFilter("KORVAN Generator (*.korv) (*.korv)");
}

void TForm_Main::FormCreate()
{
    korvan::Editor& editor = *editor_;
    // Qt paints every widget double-buffered already.
    editor.Rng.State = korvan::HighResolutionSeed();
    SetMenusVisible(false);
    Image1->setGeometry(0, 0, IntroWidth, IntroHeight);
    LoadIntroPicture();
    Image1->show();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    centralWidget()->setFixedSize(IntroWidth, IntroHeight);
    setFixedSize(IntroWidth, IntroHeight);
    CentreOnScreen();
    Image1->update();
    korvan::SetUpArtwork(editor.Canvas, FindAsset, korvan::ArtworkParts::Sheets, ReportLoadError);
    korvan::GenerateMap(editor);
    korvan::ResetBrushAfterNewMap(editor.Canvas, editor.Brush);
    korvan::AwaitPointer(editor.Canvas);
    MapReplaced();
    SplatTimer->start();
}

void TForm_Main::LoadIntroPicture()
{
    RunHandler([this] {
        // Read once, by the reader that never blocks and reports a missing or broken file.
        Image1->SetPicture(korvan::ToQImage(korvan::ReadIndexedBmp(FindAsset("Graphic\\Splatt.BMP"))));
    });
}

void TForm_Main::CentreOnScreen()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize outer = frameGeometry().size();
    const int top = (screen.height() - outer.height()) / 2;  // truncated toward zero
    const int left = (screen.width() - outer.width()) / 2;
    move(screen.x() + left, screen.y() + top);
}

void TForm_Main::SplatTimerTimer()
{
    const int t = IntroTick;
    if (t == 10)
        Musica->click();
    if (t == 1250) {
        EditorSwitch();
    } else if (t < 255) {
        AlphaBlendValue = std::min(AlphaBlendValue + 1, 255);
        SetOpacity(AlphaBlendValue / 255.0);
    } else if (t <= 600 && AlphaBlend) {
        AlphaBlend = false;
        SetOpacity(1.0);
    }
    IntroTick = t + 1;
}

qint64 TForm_Main::IntroElapsed() const
{
    return introClock_.elapsed() - (ModalBoxMilliseconds() - introBoxTime_);
}

void TForm_Main::IntroTimerFired()
{
    // The intro begins with the event loop's first tick: tick t is due at t * 4 ms of its clock,
    // and a late timer runs every tick due since.
    if (!introClock_.isValid()) {
        introClock_.start();
        introBoxTime_ = ModalBoxMilliseconds();
    }
    while (IntroTick <= 1250 && qint64(IntroTick) * IntroIntervalMs <= IntroElapsed())
        SplatTimerTimer();
    if (IntroTick <= 1250)
        SplatTimer->start(int(std::max<qint64>(0, qint64(IntroTick) * IntroIntervalMs - IntroElapsed())));
}

void TForm_Main::SetOpacity(double opacity)
{
    if (WindowOpacityWorks()) {
        setWindowOpacity(opacity);
        // A compositor shows each step only if it reaches the server when it is made.
        FlushToWindowSystem();
        return;
    }
    // Where a window cannot be faded (Wayland), the intro picture itself fades in from black.
    pictureLevel_ = qRound(std::clamp(opacity, 0.0, 1.0) * 255);
    if (Image1 != nullptr)
        Image1->SetPictureLevel(pictureLevel_);
}

void TForm_Main::EditorSwitch()
{
    Image1->hide();
    hide();
    int titleHeight = 0;
    if (DrawsOwnTitleBar) {
        // The window system draws no title bar: the window shows its own above the menu bar, and
        // the client area below stays as it is elsewhere.
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        if (TitleBar1 == nullptr)
            TitleBar1 = new TitleBar(this);
        titleHeight = TitleBar1->sizeHint().height();
        TitleBar1->setGeometry(0, 0, ViewWidth, titleHeight);
        setContentsMargins(0, titleHeight, 0, 0);
        TitleBar1->show();
    } else {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    }
    centralWidget()->setFixedSize(ViewWidth, ViewHeight);
    setFixedSize(ViewWidth, titleHeight + ViewHeight + menuBarHeight_);
    // No pointer over the view, where the brush preview stands for it; the normal arrow over the
    // menu bar and the menus.
    unsetCursor();
    centralWidget()->setCursor(Qt::BlankCursor);
    Image1->setCursor(Qt::BlankCursor);
    Image1->setGeometry(0, 0, ViewWidth, ImageHeight);
    CentreOnScreen();
    SetBackground(centralWidget(), Qt::black);
    LoadBackBuffer();
    ConnectToolWindows();
    AlphaBlend = false;
    SetOpacity(1.0);
    show();
    // The frame's size is known only once the window is shown: centre again on the real one,
    // and once more when a window manager has had time to add its decorations.
    CentreOnScreen();
    QTimer::singleShot(250, this, &TForm_Main::CentreOnScreen);
    Timer1->start();
    Image1->show();
    SetMenusVisible(true);
    SplatTimer->stop();
    LoadStartMapFile();
    SwitchToEditorMusic();
    activateWindow();
    setFocus();
    // A window that appears under a still pointer gets no move event from Qt, though the X server
    // would report one: take the pointer's place now. On Wayland the pointer's place is known only
    // once it enters a window (Image1 reports the enter), so the cursor stays unknown until then.
    if (OnWayland())
        return;
    const QPoint pointer = Image1->mapFromGlobal(QCursor::pos());
    if (Image1->rect().contains(pointer) && centralWidget()->rect().contains(centralWidget()->mapFromGlobal(QCursor::pos())))
        MouseInfo(Image1, QGuiApplication::keyboardModifiers(), pointer.x(), pointer.y());
}

void TForm_Main::LoadBackBuffer()
{
    // Without a readable Black.BMP the frames still run, on index 0 in the built-in palette.
    korvan::SetUpArtwork(editor_->Canvas, FindAsset, korvan::ArtworkParts::BackBuffer, ReportLoadError);
    Image1->SetBackBuffer(&editor_->Canvas.BackBuffer);
}

void TForm_Main::ReportOnce(const QString& message)
{
    if (reported_.contains(message))
        return;
    reported_.insert(message);
    ShowErrorBox(message);
}

void TForm_Main::Timer1Timer()
{
    // After an error the frames go on; each message is shown once per run.
    RunReportedOnce([this] { korvan::CachedFrameTick(*editor_, *frames_); });
    Image1->Present(frames_->Frame());
    SyncToolWindows();
    Timer1->start();
}
