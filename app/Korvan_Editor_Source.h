// The main window: it owns the editor's state and its components, and translates Qt events into
// calls of the core. It holds no map, drawing or editing logic of its own.
#pragma once

#include "edit/Editor.h"
#include "edit/FrameCache.h"
#include "edit/Input.h"

#include <string>

#include <QElapsedTimer>
#include <QMainWindow>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>
#include <tuple>

namespace korvan {
class OverviewPicture;
}

class QAction;
class QFileDialog;
class QMenu;
class QMenuBar;
class QPushButton;
class QTimer;
class TImage;
class TMediaPlayer;
class TForm_Panoramica;
class TitleBar;

class TForm_Main : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm_Main(QWidget* parent = nullptr);
    ~TForm_Main() override;

    korvan::Editor& State() { return *editor_; }

    // Components.
    TImage* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* SplatTimer = nullptr;
    TMediaPlayer* MediaPlayer1 = nullptr;
    QPushButton* Musica = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    QString OpenDialog1FileName;  // each dialog keeps its own name from one use to the next
    QString SaveDialog1FileName;

    // Whether the editor's window draws its own title bar (where the window system draws none,
    // see ProgramDrawsTitleBar), and that bar once the editor is shown; nullptr elsewhere.
    bool DrawsOwnTitleBar = false;
    TitleBar* TitleBar1 = nullptr;

    // The intro: ticks counted, opacity value and whether blending is on.
    int IntroTick = 0;
    int AlphaBlendValue = 0;
    bool AlphaBlend = true;

    // The map file named on the command line, loaded at the switch to the editor in place of the
    // generated map; empty for none. The name's bytes as given, whatever their encoding.
    std::string StartMapFile;

    // Menu items by their names; top-level menus by position 0..7.
    QMenu* TopMenus[8] = {};
    QAction* Item(const char* name) const;

    // Handlers.
    void FormCreate();
    void SplatTimerTimer();
    void Timer1Timer();
    void MouseInfo(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void FormMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void MapClick(QObject* Sender, korvan::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void Tasto(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void MusicaClick();  // the hidden "Musica" button that starts the intro music
    void MediaPlayer1Notify();

    // The menu commands, named after their menu items (the names of the program this editor
    // recreates: the caption a handler serves is not always its name's), with that caption.
    void OpzioniMappa1Click();  // "Opzioni Mappa"
    void NuovaMappa1Click();  // "Nuova Mappa"
    void CaricaGioco1Click();  // "Carica Mappa"
    void SalvaGioco1Click();  // "Salva Mappa"
    void SalvaConNome1Click();  // "Salva Con Nome"
    void EsciGioco1Click();  // "Esci Demo"
    void ilesTerreno1Click();  // "Tiles Terreno"
    void ilesRisorse1Click();  // "Tiles Risorse sul Terreno"
    void SpritesUnit1Click();  // "Tiles Fiumi e Laghi"
    void ilesStrade1Click();  // "Tiles Strade e Ferrovie"
    void ilesStTerreno1Click();  // "Tiles Status Del Terreno"
    void AngoloSinistro1Click();  // "Angolo Alto Sinistro"
    void AngoloAltoDestro1Click();  // "Angolo Alto Destro"
    void AngoloBassoSinistro1Click();  // "Angolo Basso Sinistro"
    void AngoloBassoDestro1Click();  // "Angolo Basso Destro"
    void ZonaCentrale1Click();  // "Zona Centrale"
    void Disattiva1Click();  // "Musica On"
    void Mozart1Click();  // "Musica Off"
    void Info1Click();  // "Guida Generale"
    void Autore1Click();  // "Guida Editor"
    void Grafica1Click();  // "Grafica"
    void Sonoro1Click();  // "Sonoro"
    void Altro1Click();  // "Altro"
    void Uscita1Click();  // opening the menu "Uscita"
    void Esci1Click();  // "Esci"
    void Autore2Click();  // "Autore"
    void Versione1Click();  // "Versione"
    void Licenza1Click();  // "Licenza"

    // The map overview, made at its first opening (the M key); nullptr until then.
    TForm_Panoramica* Panoramica = nullptr;
    void ToggleOverview();
    // The tile windows' palettes and the terrain legend choose the brush from the editor's
    // switch on; they and the overview follow the brush, the map and the view at every frame.
    void ConnectToolWindows();
    void SyncToolWindows();

    // Ends the program: the event loop stops once the current handler has returned.
    void RequestExit();

    // Whether the map may be replaced or the program end: nothing is unsaved, or the user, asked,
    // chose "Non salvare" or "Salva" and the save succeeded.
    bool MayDiscardMap();

signals:
    void ExitRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool HistoryKey(const QKeyEvent& event);
    bool OverviewKey(const QKeyEvent& event);
    void CreateComponents();
    void CreateMainMenu();
    void SetMenusVisible(bool visible);
    void EditorSwitch();
    void LoadStartMapFile();
    void IntroTimerFired();
    qint64 IntroElapsed() const;
    void SetOpacity(double opacity);
    void AskThenExit();
    void CentreOnScreen();
    void LoadIntroPicture();
    void LoadBackBuffer();
    void SwitchToEditorMusic();
    void ReportOnce(const QString& message);
    // For what runs by itself (frame ticks, the music): each message is shown once per run.
    template <typename Body>
    void RunReportedOnce(Body&& body)
    {
        try {
            body();
        } catch (const std::exception& error) {
            ReportOnce(QString::fromUtf8(error.what()));
        }
    }
    bool SaveDialogExec();
    void SaveTo(const QString& name);
    bool SaveMapCommand();
    void MapReplaced();

    std::unique_ptr<korvan::Editor> editor_;
    // The last frames drawn, so that an idle view is put back instead of drawn again.
    std::unique_ptr<korvan::FrameCache> frames_ = std::make_unique<korvan::FrameCache>();
    QSet<QString> reported_;  // messages of RunReportedOnce already shown
    int menuBarHeight_ = 0;
    int pictureLevel_ = 255;  // the intro picture's brightness where the window itself cannot fade
    // The intro's clock runs from the first intro tick; time in modal boxes is taken out of it.
    QElapsedTimer introClock_;
    qint64 introBoxTime_ = 0;
    bool asking_ = false;   // the unsaved-changes question is open
    bool exiting_ = false;  // the program has been told to end
    std::unique_ptr<korvan::OverviewPicture> overview_;
    bool toolsConnected_ = false;
    // The brush as the tool windows last showed it: mode and the five items.
    std::optional<std::tuple<int, int, int, int, int, int>> shownBrush_;
};

extern TForm_Main* Form_Main;
