// The frame cache against the plain frame tick: two editors side by side through random
// sessions, the cache hit by an idle shimmering view, and missed after any change to what a
// frame is drawn from.
#include "edit/Brush.h"
#include "edit/BrushModes.h"
#include "edit/EditHistory.h"
#include "edit/Frame.h"
#include "edit/FrameCache.h"
#include "edit/Input.h"
#include "edit/NewMap.h"
#include "map/MapFile.h"
#include "render/Blitter.h"
#include "render/RenderFixtures.h"
#include "render/Sheets.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace korvan {
namespace {

using korvan::testing::MakeEditor;
using korvan::testing::MinimumHeight;
using korvan::testing::MinimumWidth;
using korvan::testing::RandomSheet;

template <typename T>
bool SameBytes(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A generated map on random sheets full of water, the cursor in the middle of the view.
// unitsRows cuts the Units sheet short, so that some previews raise "Scan line index out of range".
std::unique_ptr<Editor> ShimmeringEditor(unsigned seed, int unitsRows = MinimumHeight[UnitsSheet])
{
    auto editor = MakeEditor();
    std::mt19937 rng(seed);
    for (int slot = 0; slot < SheetCount; ++slot)
        SetSheet(editor->Canvas, slot,
                 RandomSheet(rng, MinimumWidth[slot], slot == UnitsSheet ? unitsRows : MinimumHeight[slot]));
    editor->Rng.State = seed;
    GenerateMap(*editor);
    ResetBrushAfterNewMap(editor->Canvas, editor->Brush);
    editor->Canvas.CursorX = 300;
    editor->Canvas.CursorY = 200;
    return editor;
}

// Every field of the editor, the back buffer's pixels included. CellsVersion is the cache's key,
// not the editor's content; each encoding is compared by whether it still fits its sheet.
void ExpectSameEditors(const Editor& plain, const Editor& cached)
{
    EXPECT_TRUE(SameBytes(plain.Map.Cells, cached.Map.Cells)) << "cells";
    EXPECT_TRUE(SameBytes<ViewState>(plain.Canvas, cached.Canvas)) << "view";
    EXPECT_TRUE(SameBytes<ShimmerState>(plain.Canvas, cached.Canvas)) << "shimmer " << int(plain.Canvas.ShimmerOffset) << ","
                                                        << int(plain.Canvas.ShimmerRising) << " against "
                                                        << int(cached.Canvas.ShimmerOffset) << "," << int(cached.Canvas.ShimmerRising);
    EXPECT_TRUE(SameBytes<BrushState>(plain.Brush, cached.Brush)) << "brush";
    EXPECT_EQ(plain.Rng.State, cached.Rng.State);
    EXPECT_EQ(plain.History.Applied, cached.History.Applied);
    EXPECT_EQ(plain.History.SavedAt, cached.History.SavedAt);
    ASSERT_EQ(plain.History.Steps.size(), cached.History.Steps.size());
    for (std::size_t k = 0; k < plain.History.Steps.size(); ++k) {
        const CellChange &a = plain.History.Steps[k], &b = cached.History.Steps[k];
        EXPECT_TRUE(a.Cell == b.Cell && a.Offset == b.Offset && a.Before == b.Before && a.After == b.After) << k;
    }
    EXPECT_EQ(plain.Canvas.BackBuffer.Width, cached.Canvas.BackBuffer.Width);
    EXPECT_EQ(plain.Canvas.BackBuffer.Height, cached.Canvas.BackBuffer.Height);
    EXPECT_EQ(plain.Canvas.BackBuffer.Palette, cached.Canvas.BackBuffer.Palette);
    EXPECT_TRUE(plain.Canvas.BackBuffer.Pixels == cached.Canvas.BackBuffer.Pixels) << "back buffer";
    for (int slot = 0; slot < SheetCount; ++slot) {
        EXPECT_TRUE(plain.Canvas.Sheets[slot].Pixels == cached.Canvas.Sheets[slot].Pixels) << "sheet " << slot;
        for (int kind = 0; kind < BlitterKindCount; ++kind) {
            const auto fits = [&](const Editor& e) {
                const auto& code = e.Canvas.Encodings[kind][slot];
                return code != nullptr && code->IsOf(e.Canvas.Sheets, slot);
            };
            EXPECT_EQ(fits(plain), fits(cached)) << "encoding " << kind << " of sheet " << slot;
        }
    }
}

std::vector<BlitterKind> AvailableBlitters()
{
    std::vector<BlitterKind> kinds;
    for (int kind = 0; kind < BlitterKindCount; ++kind)
        if (BlitterUnavailable(BlitterKind(kind)) == nullptr)
            kinds.push_back(BlitterKind(kind));
    return kinds;
}

// Puts the blitter in use back when a test that changes it ends.
class KeepBlitter {
public:
    ~KeepBlitter() { SetActiveBlitter(kind_); }

private:
    BlitterKind kind_ = ActiveBlitter().Kind();
};

// A frame tick on each editor; both raise or neither does.
// The pixels each frame identity stood for the first time it was given.
using FramesSeen = std::map<std::uint64_t, std::vector<std::uint8_t>>;

void TickBoth(Editor& plain, Editor& cached, FrameCache& cache, FramesSeen& seen)
{
    std::optional<std::string> plainError, cachedError;
    try {
        FrameTick(plain);
    } catch (const std::exception& error) {
        plainError = error.what();
    }
    try {
        CachedFrameTick(cached, cache);
    } catch (const std::exception& error) {
        cachedError = error.what();
    }
    EXPECT_EQ(plainError, cachedError);
    ExpectSameEditors(plain, cached);
    if (cachedError) {
        EXPECT_EQ(cache.Frame(), 0u) << "a frame that raised has an identity";
    }
    if (cache.Frame() == 0)
        return;
    const auto [where, first] = seen.try_emplace(cache.Frame(), cached.Canvas.BackBuffer.Pixels);
    if (!first) {
        EXPECT_TRUE(where->second == cached.Canvas.BackBuffer.Pixels) << "frame " << cache.Frame() << " came back changed";
    }
}

// The cursor somewhere: mostly inside the view, often in an edge band or beyond the view.
void MovePointer(Editor& editor, std::mt19937& rng)
{
    if (rng() % 2 == 0)
        PointerOverImage(editor.Canvas, 120 + int(rng() % 400), 120 + int(rng() % 250));
    else if (rng() % 2 == 0)
        PointerOverWindow(editor.Canvas, int(rng() % 720) - 40, int(rng() % 560) - 40);
    else {
        const int edges[][2] = {{-1, 200}, {580, 200}, {300, 412}, {300, 15}, {300, -15}, {-5, 0}, {700, 470}};
        const auto& edge = edges[rng() % std::size(edges)];
        editor.Canvas.CursorX = edge[0];
        editor.Canvas.CursorY = edge[1];
    }
}

struct Session {
    unsigned seed;
    int unitsRows;  // the Units sheet's height
    int unitsItem;  // the brush's first Units item
    int steps;
};

void PrintTo(const Session& s, std::ostream* out)
{
    *out << "seed " << s.seed << ", Units sheet " << s.unitsRows << " rows, item " << s.unitsItem;
}

class FrameCacheSession : public ::testing::TestWithParam<Session> {};

TEST_P(FrameCacheSession, LeavesWhatThePlainTickLeaves)
{
    const Session session = GetParam();
    const KeepBlitter keep;
    const std::vector<BlitterKind> blitters = AvailableBlitters();
    korvan::testing::TempFolder folder;
    const std::string otherMap = folder.File("other.korv");
    {
        auto other = ShimmeringEditor(session.seed + 1000);
        SaveMap(std::as_const(other->Map.Cells), otherMap);
    }
    auto plain = ShimmeringEditor(session.seed, session.unitsRows);
    plain->Brush.ItemUnits = session.unitsItem;
    auto cached = std::make_unique<Editor>(*plain);
    FrameCache cache;
    FramesSeen seen;
    std::mt19937 rng(session.seed);
    const std::vector<std::function<void(Editor&)>> actions = {
        [&](Editor& e) { MovePointer(e, rng); },
        [&](Editor& e) { KeyDown(e.Brush, std::vector{KeyBackslash, 49, 50, 51, 52, 53, 65}[rng() % 7]); },
        [&](Editor& e) { PressMap(e, MouseButton::Left); },
        [&](Editor& e) { PressMap(e, MouseButton::Right); },
        [&](Editor& e) { Undo(ChangeCells(e.Map), e.History); },
        [&](Editor& e) { Redo(ChangeCells(e.Map), e.History); },
        [&](Editor& e) {
            GenerateMap(e);
            ResetBrushAfterNewMap(e.Canvas, e.Brush);
            StartHistory(e.History);
        },
        [&](Editor& e) {
            LoadMap(ChangeCells(e.Map), otherMap);
            StartHistory(e.History);
        },
        [&](Editor& e) { JumpView(e.Canvas, ViewJump(rng() % 5)); },
        [&](Editor& e) { StartShimmer(e.Canvas); },
    };
    for (int step = 0; step < session.steps && !HasFailure(); ++step) {
        int ticks = 1 + int(rng() % 3);
        const unsigned pick = rng() % 20;
        if (pick < std::size(actions)) {
            // Both editors take the same action with the same random numbers.
            const std::mt19937 before = rng;
            actions[pick](*plain);
            rng = before;
            actions[pick](*cached);
        } else if (pick == 19) {
            SetActiveBlitter(blitters[rng() % blitters.size()]);
        } else {
            ticks = 1 + int(rng() % 14);  // the user rests
        }
        for (int tick = 0; tick < ticks && !HasFailure(); ++tick) {
            SCOPED_TRACE("step " + std::to_string(step) + ", tick " + std::to_string(tick));
            TickBoth(*plain, *cached, cache, seen);
        }
    }
    EXPECT_GT(cache.Hits(), 0u) << "the session never rested long enough to use the cache";
    EXPECT_GT(seen.size(), 1u);
    std::cout << "hits " << cache.Hits() << ", misses " << cache.Misses() << "\n";
}

INSTANTIATE_TEST_SUITE_P(FrameCache, FrameCacheSession,
                         ::testing::Values(Session{1, MinimumHeight[UnitsSheet], 0, 400},
                                           Session{2, MinimumHeight[UnitsSheet], 0, 400},
                                           Session{3, MinimumHeight[UnitsSheet], 0, 400},
                                           // Units previews of the second row on raise half-drawn.
                                           Session{4, 70, 9, 300}, Session{5, 70, 8, 300}));

TEST(FrameCache, IdleShimmeringViewIsPutBackFromTheCache)
{
    auto editor = ShimmeringEditor(7);
    FrameCache cache;
    std::set<int> phases;
    std::set<std::uint64_t> frames;  // once the cycle is kept, whoever presents meets them again
    for (int tick = 0; tick < 40; ++tick) {
        phases.insert(ShimmerPhase(editor->Canvas.ShimmerOffset, editor->Canvas.ShimmerRising));
        const bool hit = CachedFrameTick(*editor, cache);
        // The first tick keeps nothing (the scene has only just settled), the next six keep a
        // whole shimmer cycle at most.
        EXPECT_TRUE(hit || tick < 7) << "tick " << tick;
        EXPECT_TRUE(cache.Frame() != 0 || tick == 0) << "tick " << tick;
        if (tick >= 7)
            frames.insert(cache.Frame());
    }
    EXPECT_LE(frames.size(), 6u);
    EXPECT_GT(phases.size(), 1u) << "the view does not shimmer: the test shows nothing";
    EXPECT_GE(cache.Hits(), 33u);
}

// Each change to what a frame is drawn from, made to a view whose idle cycle is in the cache.
struct Change {
    const char* name;
    std::function<void(Editor&)> apply;
};

TEST(FrameCache, AnyChangeToWhatAFrameIsDrawnFromMisses)
{
    const KeepBlitter keep;
    std::vector<Change> changes;
    const struct {
        const char* name;
        std::int32_t ViewState::*field;
    } viewFields[] = {{"ScrollX", &ViewState::ScrollX},     {"ScrollY", &ViewState::ScrollY},
                      {"ViewLeft", &ViewState::ViewLeft},   {"ViewTop", &ViewState::ViewTop},
                      {"ViewRight", &ViewState::ViewRight}, {"ViewBottom", &ViewState::ViewBottom},
                      {"CullLeft", &ViewState::CullLeft},   {"CullTop", &ViewState::CullTop},
                      {"FirstRow", &ViewState::FirstRow},   {"FirstCol", &ViewState::FirstCol},
                      {"CursorX", &ViewState::CursorX},     {"CursorY", &ViewState::CursorY}};
    for (const auto& f : viewFields)
        changes.push_back({f.name, [f](Editor& e) { e.Canvas.*f.field += 1; }});
    for (int mode = 0; mode < BrushModeCount; ++mode)
        changes.push_back({"item", [mode](Editor& e) { StepItem(e.Brush, mode); }});
    changes.push_back({"EditMode", [](Editor& e) { StepEditMode(e.Brush); }});
    // States off the cycle: none of the kept frames started from one.
    changes.push_back({"ShimmerOffset", [](Editor& e) { e.Canvas.ShimmerOffset = 7; }});
    changes.push_back({"ShimmerRising", [](Editor& e) { e.Canvas.ShimmerRising = 9; }});
    changes.push_back({"cells", [](Editor& e) { ChangeCells(e.Map)[60][60].Terrain = 3; }});
    changes.push_back({"cells written back as they were", [](Editor& e) { ChangeCells(e.Map); }});
    for (int slot = 0; slot < SheetCount; ++slot)
        changes.push_back({"sheet", [slot](Editor& e) { SetSheet(e.Canvas, slot, IndexedImage(e.Canvas.Sheets[slot])); }});
    for (const BlitterKind kind : AvailableBlitters())
        changes.push_back({BlitterName(kind), [kind](Editor&) { SetActiveBlitter(kind); }});

    const auto prototype = ShimmeringEditor(11);
    const BlitterKind startKind = ActiveBlitter().Kind();
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        SetActiveBlitter(startKind);
        auto editor = std::make_unique<Editor>(*prototype);
        FrameCache cache;
        for (int tick = 0; tick < 8; ++tick)
            CachedFrameTick(*editor, cache);
        ASSERT_TRUE(CachedFrameTick(*editor, cache)) << "the idle cycle is not in the cache";
        change.apply(*editor);
        if (ActiveBlitter().Kind() == startKind && std::string(change.name) == BlitterName(startKind))
            continue;  // the blitter already in use is no change
        EXPECT_FALSE(CachedFrameTick(*editor, cache));
    }
}

// A sheet put back into its slot in the buffer it had, at its size, but with other pixels: what a
// reload that gets the freed memory back amounts to. The next frame shows the new pixels, on every
// blitter, whether the blitters' encodings were dropped with the old sheet or left in place; each
// brush mode previews its own sheet at the cursor, so every drawn sheet is seen.
TEST(FrameCache, ASheetReloadedIntoItsOldBufferIsDrawnAnew)
{
    const KeepBlitter keep;
    const struct {
        const char* name;
        IndexedImage (*put)(Artwork&, int, IndexedImage);
    } reloads[] = {
        {"SetSheet", [](Artwork& a, int slot, IndexedImage sheet) { return SetSheet(a, slot, std::move(sheet)); }},
        {"the slot alone, encodings kept",
         [](Artwork& a, int slot, IndexedImage sheet) { return a.Sheets.Set(std::size_t(slot), std::move(sheet)); }},
    };
    for (const auto& reload : reloads)
        for (const BlitterKind kind : AvailableBlitters())
            for (int mode = 0; mode < BrushModeCount; ++mode) {
                const int slot = BrushModes[mode].Slot;
                SCOPED_TRACE(std::string(reload.name) + ", " + BlitterName(kind) + ", sheet " + std::to_string(slot));
                SetActiveBlitter(kind);
                auto editor = ShimmeringEditor(13);
                editor->Brush.EditMode = mode;
                FrameCache cache;
                for (int tick = 0; tick < 8; ++tick)
                    CachedFrameTick(*editor, cache);
                ASSERT_TRUE(CachedFrameTick(*editor, cache)) << "the idle cycle is not in the cache";
                auto old = std::make_unique<Editor>(*editor);
                FrameTick(*old);  // the next frame, drawn from the old pixels

                IndexedImage sheet = reload.put(editor->Canvas, slot, IndexedImage());
                const std::uint8_t* const buffer = sheet.Pixels.data();
                std::mt19937 rng(unsigned(100 + slot));
                const IndexedImage other = RandomSheet(rng, sheet.Width, sheet.Height);
                std::copy(other.Pixels.begin(), other.Pixels.end(), sheet.Pixels.begin());
                reload.put(editor->Canvas, slot, std::move(sheet));
                ASSERT_EQ(editor->Canvas.Sheets[std::size_t(slot)].Pixels.data(), buffer);

                auto plain = std::make_unique<Editor>(*editor);
                for (auto& encodings : plain->Canvas.Encodings)
                    encodings = {};  // encoded from the sheets as they are now
                FrameTick(*plain);
                EXPECT_FALSE(CachedFrameTick(*editor, cache)) << "a frame of the old pixels was put back";
                EXPECT_TRUE(plain->Canvas.BackBuffer.Pixels == editor->Canvas.BackBuffer.Pixels);
                EXPECT_TRUE(SameBytes<ShimmerState>(plain->Canvas, editor->Canvas));
                EXPECT_FALSE(plain->Canvas.BackBuffer.Pixels == old->Canvas.BackBuffer.Pixels)
                    << "the sheet is not drawn: the test shows nothing";
            }
}

}  // namespace
}  // namespace korvan
