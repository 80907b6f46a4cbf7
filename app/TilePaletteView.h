// A clickable palette of one brush's tiles, shown 1:1 with the editor's colours: a click on a
// tile chooses it, and the chosen tile is marked (filled behind when its brush is the current one).
#pragma once

#include "edit/TilePalette.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QScrollArea;

class TilePaletteView : public QWidget {
    Q_OBJECT

public:
    TilePaletteView(int mode, int width, QWidget* parent);

    // The tiles, from the sheets and the back buffer's palette; nothing is drawn before.
    void SetArtwork(const korvan::Artwork& artwork);
    // The brush's item for this palette's mode, and whether that mode is the current one.
    void ShowSelection(int item, bool current);

    const korvan::PaletteLayout& Layout() const { return layout_; }
    int Selected() const { return selected_; }
    bool Current() const { return current_; }

    // A left press on a tile.
    std::function<void(int mode, int item)> OnChoose;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    korvan::PaletteLayout layout_;
    QImage picture_;
    int selected_ = -1;
    bool current_ = false;
};

// A tile window's client area: the palette of one mode, in a scroll area that fills the window,
// laid out to the window's width (less a vertical scroll bar's if the palette is taller).
TilePaletteView* AddTilePalette(QWidget* form, int mode);
