#pragma once

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "gui/drawer/i_drawer.h"
#include "gui/win/list_box2.h"
#include "gui/win/list_box2_platform.h"
#include "gui/win/list_header.h"
#include "image/win/buffered_image.h"

namespace s::gui::listbox2 {
class SubRecord;
}

namespace s::gui::win {

// How many cells, rows and whole-control paints a view has done (benchmarks and tests).
struct ListPaintCounts {
    int64_t cells = 0;        // cells drawn, by any path
    int64_t directCells = 0;  // cells drawn straight into the window (updates)
    int64_t rows = 0;         // single rows drawn into the window
    int64_t fullPaints = 0;   // whole-control paints
};

// The platform side of a ListBox2: a frame window (the list's scroll-bar container) that
// holds the platform list view in details mode and the skinned vertical scroll bar. Every
// row and cell is drawn here through the list-box drawer into off-screen buffers, and
// calls from other threads reach the GUI thread by a synchronous message.
//
// Repaints after a change draw only cells whose look changed: the view remembers what it
// last drew in every cell (text, state and place), so the once-a-second update of one
// column draws exactly the cells whose text moved on, and nothing while the window is
// hidden or iconized. GUI thread only, except runOnGuiThread().
class ListView final : public IListBox2Platform {
public:
    struct Options {
        bool headerShown = true;
        bool fullRowSelect = false;
        bool gridLines = false;
        bool alternateRows = false;
        bool editLabels = false;  // in-place edit of first-column labels
        bool passThroughClicks = false;
        int32_t rowHeight = 0;  // 0: the platform's for the font
    };
    // Colours of the look without a skin drawer (0x00BBGGRR).
    struct PlainColours {
        uint32_t background = 0xFFFFFF;
        uint32_t text = 0x000000;
        uint32_t selection = 0xD77800;
        uint32_t selectedText = 0xFFFFFF;
        uint32_t alternate = 0xF3F3F3;
    };

    explicit ListView(ListBox2& box);
    ~ListView() override;
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    // Creates the frame and the list as a child of `parent` and shows the box's columns and
    // rows; attaches itself to the box. False when the platform refuses (nothing is left).
    bool create(HWND parent, const Options& options, int32_t x, int32_t y, int32_t width,
                int32_t height);
    // Destroys the windows. The view stays attached to the box with no window, so calls
    // from other threads fail instead of reaching a window that is gone; detach() makes
    // the box act on its model directly again.
    void destroy();
    void detach();
    bool isLive() const { return frame_.load() != nullptr; }

    HWND frame() const { return frame_.load(); }
    HWND list() const { return list_; }
    ListHeader& header() { return header_; }
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height);

    // Not owned; nullptr paints with the plain colours.
    // The header takes every column's current title again (after a language change).
    void retitleColumns();
    void setListBoxDrawer(drawer::IListBox* drawer, drawer::IListHeader* headerDrawer,
                          drawer::IScrollBar* scrollBarDrawer);
    void setPlainColours(const PlainColours& colours);
    void setFont(HFONT font);  // not owned; nullptr: the GUI font
    void setSelectionColour(uint32_t colour);
    void setAlternateRowColour(uint32_t colour);
    void setAlternateRows(bool on);

    // The vertical scroll bar: visibility, position in pixels, and the scroll operation
    // (the window asks for 2000 to bring a new last row into view).
    bool verticalShown() const { return vbarShown_; }
    int32_t verticalPosition() const;
    void scrollVertical(int32_t amount);
    int32_t rowHeight() const;

    // Row position and cell rectangle (client coordinates of the list); false when the
    // row is not listed.
    bool cellRect(listbox2::Record* row, int32_t column, RECT& out) const;

    const ListPaintCounts& counts() const { return counts_; }
    void resetCounts() { counts_ = {}; }

    // IListBox2Platform
    bool onGuiThread() const override;
    bool runOnGuiThread(void (*operation)(void*), void* block) override;
    void columnAdded(int32_t column) override;
    void columnOrderChanged() override;
    void rowInserted(listbox2::Record* row) override;
    void rowRemoved(listbox2::Record* row, int32_t position) override;
    void rowsReordered() override;
    void setRowSelected(listbox2::Record* row, bool selected) override;
    bool isRowSelected(listbox2::Record* row) override;
    void ensureVisible(listbox2::Record* row) override;
    void setRedraw(bool on) override;
    void repaintCell(listbox2::Record* row, int32_t column) override;
    void repaintRow(listbox2::Record* row) override;
    void repaintColumn(int32_t column) override;
    void repaintAll() override;

    // Header side (ListHeader).
    void headerClickedBeyondLast();
    void headerOrderDragged();
    int32_t lastColumnInOrder() const;

private:
    static LRESULT CALLBACK frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK listProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR data);
    LRESULT handleFrame(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleList(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT notify(NMHDR* header);
    LRESULT headerNotify(NMHDR* header, bool& handled);
    LRESULT customDraw(NMLVCUSTOMDRAW* draw);
    void paintList();
    void insertColumn(int32_t column);
    void insertItem(listbox2::Record* row);
    int32_t itemOf(const listbox2::Record* row) const;
    listbox2::Record* rowOfItem(int32_t item) const;

    // Painting: what a cell shows, drawn into a cell buffer and copied to `target` at the
    // cell's place; the signature of what was drawn is remembered per row and column.
    struct CellLook;
    bool lookOf(listbox2::Record* row, int32_t item, int32_t column, const RECT& rect,
                CellLook& look);
    void drawCell(HDC target, int32_t offsetX, int32_t offsetY, const CellLook& look);
    void plainPaintCell(HDC dc, int32_t width, int32_t height, const drawer::CellPaint& paint,
                        RECT& textRect);
    void paintRowInto(HDC target, int32_t item, int32_t offsetX, int32_t offsetY);
    // Draws the cells of visible rows whose look changed (all columns, or one).
    void repaintChanged(int32_t onlyColumn);
    void repaintCellNow(listbox2::Record* row, int32_t column);
    // Updates go through the mirror, the off-screen image of what the window shows: the
    // changed cells are drawn into it and the part that changed is copied out in one step.
    // False when the mirror was stale and the whole control was painted instead.
    bool beginUpdate();
    void endUpdate();
    // Where rows and cells are, read once per update from the header and the scroll state
    // (the platform's item-rectangle queries measure texts and are slow).
    struct Geometry {
        int32_t top = 0;
        int32_t rowHeight = 0;
        int32_t rowsTop = 0;
        int32_t originX = 0;
        int32_t clientRight = 0;
        int32_t clientBottom = 0;
        int32_t lastColumn = -1;
        const std::vector<RECT>* columns = nullptr;  // header items by column index
    };
    bool geometry(Geometry& g) const;
    bool cellRectIn(const Geometry& g, int32_t item, int32_t column, RECT& out) const;
    bool updateCellInMirror(const Geometry& g, listbox2::Record* row, int32_t item, int32_t column);
    listbox2::Record* modelRow(int32_t item) const;
    bool mirrorIsCurrent() const;
    int32_t originX() const;
    bool canPaintNow() const;
    bool visibleRect(const RECT& rect) const;
    HDC clipHeader(HDC dc) const;
    bool ensureBuffer(image::win::BufferedImage*& buffer, image::win::DrawingContext& dc,
                      int32_t width, int32_t height);
    // After a header or column change: every cell is drawn again and the items' places are
    // read again.
    void forgetLooks() {
        looks_.clear();
        columnRects_.clear();
    }
    uint64_t& lookSlot(const listbox2::Record* row, int32_t column);
    void holdNativeRedraw();

    // Mouse.
    bool cellAt(POINT at, listbox2::Record*& row, int32_t& column, RECT& rect) const;
    // The tree control or check box under the point, toggled; false when neither was hit.
    bool clickControls(POINT at);
    bool middleOrPassThrough() const;
    bool forwardMiddleButton(HWND from, UINT message, WPARAM wParam, LPARAM lParam);
    void fitRowHeight(int32_t wanted);

    // Scroll bar.
    void layout();
    void updateScrollBar();
    void paintScrollBar(HDC target);
    RECT vbarRect() const;
    RECT thumbRect() const;
    int32_t barWidth() const;
    int32_t contentHeight() const;
    int32_t pageHeight() const;
    int32_t headerHeight() const;

    HFONT fontFor(const listbox2::Record* row, const listbox2::SubRecord* cell,
                  bool selected) const;
    void rebuildFonts();

    struct FontDeleter {
        void operator()(HFONT font) const {
            if (font)
                DeleteObject(font);
        }
    };
    using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

    ListBox2& box_;
    ListHeader header_;
    Options options_;
    std::atomic<HWND> frame_{nullptr};
    HWND list_ = nullptr;
    DWORD guiThread_ = 0;
    drawer::IListBox* drawer_ = nullptr;
    drawer::IScrollBar* scrollBarDrawer_ = nullptr;
    PlainColours plain_;
    bool customSelection_ = false;
    uint32_t selectionColour_ = 0;
    bool customAlternate_ = false;
    uint32_t alternateColour_ = 0;
    HFONT baseFont_ = nullptr;    // not owned
    HFONT normalFont_ = nullptr;  // not owned: the drawer's, the given one or the GUI font
    OwnedFont boldFont_;          // the emphasis font
    image::win::BufferedImage* cellBuffer_ = nullptr;  // owned
    image::win::BufferedImage* pageBuffer_ = nullptr;  // owned: the mirror
    bool mirrorValid_ = false;
    int32_t mirrorWidth_ = 0;
    int32_t mirrorHeight_ = 0;
    int32_t mirrorTop_ = 0;
    int32_t mirrorOriginX_ = 0;
    RECT dirty_{};
    image::win::DrawingContext cellDc_;
    image::win::DrawingContext pageDc_;
    uint64_t lookGeneration_ = 1;     // changes with colours, fonts and drawers
    HIMAGELIST rowImages_ = nullptr;  // owned, fixes the row height
    std::unordered_map<const listbox2::Record*, std::vector<uint64_t>> looks_;
    ListPaintCounts counts_;
    bool suspended_ = false;
    bool nativeRedrawOff_ = false;
    bool inFullPaint_ = false;
    bool settingWidth_ = false;
    bool vbarShown_ = false;
    bool draggingThumb_ = false;
    mutable int32_t scrollPixels_ = 0;
    mutable int32_t rowHeight_ = 0;
    mutable std::vector<RECT> columnRects_;
    uint64_t barState_ = 0;
    bool scrollDirty_ = true;
    int32_t barTop_ = -1;
    std::unordered_set<const listbox2::Record*> selectedRows_;
    int32_t dragOffset_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace s::gui::win
