#pragma once

#include <cstdint>

namespace s::gui::listbox2 {
class Record;
}

namespace s::gui::win {

// The platform side of a ListBox2 once it is placed in a window: the platform list view,
// the painting through the skin's drawer, and the hand-over of calls to the GUI thread.
// While a ListBox2 has none, every operation acts on its model at once on the calling
// thread. Every call below except onGuiThread() and runOnGuiThread() comes on the GUI
// thread, after the model has changed.
class IListBox2Platform {
public:
    virtual ~IListBox2Platform() = default;

    // True on the thread that owns the window.
    virtual bool onGuiThread() const = 0;
    // Runs operation(block) on the GUI thread and returns once it has run (a synchronous
    // window message), so the operation may use the caller's stack. Only called from other
    // threads. False when the operation did not run: the window is gone or the hand-over
    // was refused; the caller then reports its failure value.
    virtual bool runOnGuiThread(void (*operation)(void*), void* block) = 0;

    // The platform items follow the model: a column was appended; the display order of the
    // columns was set; a row entered at row->index(); a row left from `position`; the rows
    // changed places (sort, tree layout).
    virtual void columnAdded(int32_t column) = 0;
    virtual void columnOrderChanged() = 0;
    virtual void rowInserted(listbox2::Record* row) = 0;
    virtual void rowRemoved(listbox2::Record* row, int32_t position) = 0;
    virtual void rowsReordered() = 0;

    // Sets the platform item's selected state. The platform reports the change back through
    // ListBox2::rowSelectionChanged(), which keeps the selection and raises the events.
    virtual void setRowSelected(listbox2::Record* row, bool selected) = 0;
    // The platform item's selected state, for reading the selection again after a change
    // the platform reported for all items at once.
    virtual bool isRowSelected(listbox2::Record* row) = 0;
    virtual void ensureVisible(listbox2::Record* row) = 0;

    // Platform redraw off while the list's drawing is suspended.
    virtual void setRedraw(bool on) = 0;
    // Repaint requests; none comes while drawing is suspended.
    virtual void repaintCell(listbox2::Record* row, int32_t column) = 0;
    virtual void repaintRow(listbox2::Record* row) = 0;
    virtual void repaintColumn(int32_t column) = 0;
    virtual void repaintAll() = 0;
};

}  // namespace s::gui::win
