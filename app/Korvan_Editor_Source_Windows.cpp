// The ten commands that show a secondary window: visible, enabled, focused, nothing else.
#include "Korvan_Editor_Source.h"

#include "windows/SecondaryWindows.h"
#include "windows/Window_Author.h"
#include "windows/Window_Crediti_Altro.h"
#include "windows/Window_Crediti_Grafica.h"
#include "windows/Window_Crediti_Sonoro.h"
#include "windows/Window_Guida_Editor.h"
#include "windows/Window_Guida_Generale.h"
#include "windows/Window_Licenza.h"
#include "windows/Window_Opzioni_Mappa.h"
#include "windows/Window_Tiles_Terreno.h"
#include "windows/Window_Versione.h"

void TForm_Main::OpzioniMappa1Click() { ShowSecondaryWindow(Form_Opzioni_Mappa, this); }
void TForm_Main::ilesTerreno1Click() { ShowSecondaryWindow(Form_Tiles_Terreno, this); }
void TForm_Main::Info1Click() { ShowSecondaryWindow(Form_Guida_Generale, this); }
void TForm_Main::Autore1Click() { ShowSecondaryWindow(Form_Guida_Editor, this); }
void TForm_Main::Grafica1Click() { ShowSecondaryWindow(Form_Crediti_Grafica, this); }
void TForm_Main::Sonoro1Click() { ShowSecondaryWindow(Form_Crediti_Sonoro, this); }
void TForm_Main::Altro1Click() { ShowSecondaryWindow(Form_Crediti_Altro, this); }
void TForm_Main::Autore2Click() { ShowSecondaryWindow(Form_Author, this); }
void TForm_Main::Versione1Click() { ShowSecondaryWindow(Form_Versione, this); }
void TForm_Main::Licenza1Click() { ShowSecondaryWindow(Form_Licenza, this); }
