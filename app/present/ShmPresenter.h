// Frames put into the widget's own X window from six pictures shared with the X server. An idle
// view's frames come back every 1, 2, 3 or 6 ticks (the water's cycle). A frame the frame cache
// names keeps its picture, with the tiles it changed on screen: when it comes back, the picture is
// put again as it is, with nothing compared or converted. Any other frame goes to the picture put
// from longest ago, which then mostly holds the same frame already: only the pixels that differ
// from what it holds are converted, and only the tiles that differ from the screen are sent.
#pragma once

#include "Presenter.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QWidget;
class ShmConnection;

class ShmPresenter final : public Presenter {
public:
    static constexpr int Pictures = 6;

    // A presenter for `widget`, or nullptr where the X server cannot share memory with the program.
    static std::unique_ptr<ShmPresenter> Open(QWidget& widget);
    ~ShmPresenter() override;

    bool PaintsItsWindow() const override { return true; }
    void Forget() override;
    bool Present(const Content& content) override;
    bool Paint(const QRegion& region, const Content& content) override;
    void WaitUntilShown() override;

    ShmConnection& Connection() { return *connection_; }

private:
    ShmPresenter(QWidget& widget, std::unique_ptr<ShmConnection> connection);
    // Every put starts here: nothing sent or converted yet, the widget's window attached, and
    // nothing that a picture holds counts if the widget's size changed. False if the window
    // cannot take the pictures.
    bool Begin();
    // Picture `index` brought up to the buffer over `rows`, or converted whole if what it holds
    // does not count.
    bool Convert(int index, const Content& content, const QRect& rows);
    int Oldest() const;  // the picture taken longest ago
    // `kept`: the picture holds a named frame, likely put again as it is rather than drawn into.
    void Put(int index, std::vector<QRect> parts, bool kept = false);

    // A shared picture's record: the indexed pixels it was converted from with the current
    // colours (empty where what it holds does not count: black, the intro, another palette), the
    // frame cache's name for them (0: none), and when it was last taken. Put last over the screen
    // showing frame `PutOver` (0: unnamed) within `PutArea`, it changed `PutTiles`: over the same
    // screen again, it changes the same.
    struct Picture {
        std::vector<std::uint8_t> Converted;
        std::uint64_t Frame = 0;
        std::uint64_t Taken = 0;
        std::uint64_t PutOver = 0;
        QRect PutArea;
        std::vector<QRect> PutTiles;
    };

    QWidget& widget_;
    std::unique_ptr<ShmConnection> connection_;
    std::array<Picture, Pictures> pictures_;
    std::uint64_t presented_ = 0;  // frames presented
    int onScreen_ = -1;            // the picture the whole window was last put from, -1 for none
};
