#include "Korvan_Editor_Source.h"

#include "map/MapGenerator.h"

TForm_Main* Form_Main = nullptr;

TForm_Main::TForm_Main(QWidget* parent) : QMainWindow(parent), editor_(std::make_unique<korvan::Editor>())
{
    setWindowTitle("Generatore & Editor di Mappe Isometriche per Strategici in tempo reale o a turni V 0.5.1");
    editor_->Rng.State = korvan::HighResolutionSeed();
    korvan::GenerateMap(*editor_);
    resize(640, 462);
}

TForm_Main::~TForm_Main() = default;
