#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "gui/drawer/i_drawer.h"

namespace s::gui::win {

class ListView;

// The skinned header of a list view: subclasses the platform header, paints it through the
// header drawer into an off-screen buffer, fixes its height, keeps the columns' display order
// and widths, and turns a click right of the last item into a click on the last column in
// display order. GUI thread only.
class ListHeader {
public:
    explicit ListHeader(ListView& view) : view_(view) {}
    ~ListHeader() { detach(); }
    ListHeader(const ListHeader&) = delete;
    ListHeader& operator=(const ListHeader&) = delete;

    void attach(HWND header);
    void detach();
    HWND handle() const { return header_; }

    // Not owned. The drawer's height becomes the header's unless one was set explicitly.
    void setDrawer(drawer::IListHeader* drawer);
    drawer::IListHeader* drawer() const { return drawer_; }
    // 0 goes back to the drawer's height (or the platform's without a drawer).
    void setHeight(int32_t pixels);
    int32_t height() const;
    void setFont(HFONT font);  // not owned

    // Column indices left to right, and the pixel width of every item by column index, as
    // last painted or read from the platform.
    const std::vector<int32_t>& order() const { return order_; }
    const std::vector<int32_t>& widths() const { return widths_; }
    void setOrder(const int32_t* order, int32_t count);
    // Reads order and widths from the platform header.
    void readBack();

    // Which item the cursor is over and whether the left button is down on it (0 normal,
    // 1 hot, 2 pressed), by item index; -1 none.
    int32_t hotItem() const { return hot_; }
    // Has the list lay the header out again (its height may have changed).
    void relayout();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC target);
    // Right of the last item (in client coordinates): the area that counts as the last
    // column.
    bool beyondLast(int32_t x) const;
    int32_t lastRight() const;
    int32_t itemAt(int32_t x) const;
    void setHot(int32_t item, bool pressed);

    ListView& view_;
    HWND header_ = nullptr;
    drawer::IListHeader* drawer_ = nullptr;
    HFONT font_ = nullptr;
    int32_t explicitHeight_ = 0;
    std::vector<int32_t> order_;
    std::vector<int32_t> widths_;
    int32_t hot_ = -1;
    bool pressed_ = false;
    bool pressedBeyond_ = false;
    bool tracking_ = false;
};

}  // namespace s::gui::win
