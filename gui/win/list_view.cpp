#include "gui/win/list_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "gui/listbox2/data_type.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "gui/listbox2/view_rules.h"

namespace s::gui::win {

using listbox2::DataType;
using listbox2::Record;
using listbox2::SubRecord;

namespace {

constexpr wchar_t kFrameClass[] = L"TellavoListFrame";
constexpr int32_t kListId = 1009;
constexpr UINT_PTR kListSubclass = 1;

// One message carries every handed-over operation; registered, so that no other window
// takes it for one of its own.
UINT runMessage() {
    static const UINT message = RegisterWindowMessageW(L"TellavoListRunOperation");
    return message;
}

bool registerFrameClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;  // replaced per window at creation
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kFrameClass;
        return RegisterClassExW(&wc);
    }();
    return atom != 0;
}

// A window's device context for one paint, released on every path.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(window ? GetDC(window) : nullptr) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// FNV-1a over what a cell shows: a changed signature means the cell must be drawn again.
class Signature {
public:
    void add(uint64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash_ ^= (value >> (i * 8)) & 0xFF;
            hash_ *= 0x100000001B3ull;
        }
    }
    void addText(const char16_t* text) {
        for (const char16_t* p = text; p && *p; ++p) {
            hash_ ^= static_cast<uint16_t>(*p);
            hash_ *= 0x100000001B3ull;
        }
        add(0xFFFF);
    }
    // 0 is kept for "never drawn".
    uint64_t value() const { return hash_ ? hash_ : 1; }

private:
    uint64_t hash_ = 0xCBF29CE484222325ull;
};

uint32_t greyText() {
    return static_cast<uint32_t>(GetSysColor(COLOR_GRAYTEXT));
}

void fill(HDC dc, const RECT& rect, uint32_t colour) {
    COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

// The check box's place in a cell without a drawer: as the skin's drawer lays it out.
bool plainCheckHit(int32_t x, int32_t y, bool hasTree, int32_t level) {
    int32_t left = hasTree ? 20 + 15 * level : 4;
    return y >= 1 && y <= 15 && x - left >= 0 && x - left <= 14;
}

bool plainTreeHit(int32_t x, int32_t y, int32_t level) {
    int32_t left = 4 + 15 * level;
    return y >= 1 && y <= 15 && x - left >= 0 && x - left <= 12;
}

}  // namespace

struct ListView::CellLook {
    RECT rect{};  // list client coordinates
    drawer::CellPaint paint;
    SubRecord* cell = nullptr;
    uint64_t signature = 0;
};

ListView::ListView(ListBox2& box) : box_(box), header_(*this) {}

ListView::~ListView() {
    destroy();
    detach();
    if (cellBuffer_)
        cellBuffer_->release();
    if (pageBuffer_)
        pageBuffer_->release();
}

void ListView::detach() {
    if (box_.hasPlatform(this))
        box_.detachPlatform();
}

bool ListView::create(HWND parent, const Options& options, int32_t x, int32_t y, int32_t width,
                      int32_t height) {
    if (frame_.load() || !registerFrameClass())
        return false;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    options_ = options;
    guiThread_ = GetCurrentThreadId();
    width_ = width;
    height_ = height;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND frame = CreateWindowExW(0, kFrameClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                                 width, height, parent, nullptr, instance, nullptr);
    if (!frame)
        return false;
    SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&frameProcedure));

    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | LVS_REPORT |
                  LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE;
    if (!box_.multiSelect())
        style |= LVS_SINGLESEL;
    if (!options.headerShown)
        style |= LVS_NOCOLUMNHEADER;
    DataType* first = box_.list().columnAt(0);
    if (options.editLabels || (first && first->editable()))
        style |= LVS_EDITLABELS;
    list_ =
        CreateWindowExW(0, WC_LISTVIEWW, L"", style, 0, 0, width, height, frame,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    if (!list_) {
        MessageBoxW(parent, L"Window Creation Failed!", L"Error!", MB_OK | MB_ICONWARNING);
        SetWindowLongPtrW(frame, GWLP_USERDATA, 0);
        DestroyWindow(frame);
        return false;
    }
    frame_.store(frame);
    DWORD extended = LVS_EX_HEADERDRAGDROP;
    if (options.fullRowSelect)
        extended |= LVS_EX_FULLROWSELECT;
    if (options.gridLines)
        extended |= LVS_EX_GRIDLINES;
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    SetWindowSubclass(list_, &listProcedure, kListSubclass, reinterpret_cast<DWORD_PTR>(this));
    header_.attach(reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0)));
    rebuildFonts();
    if (options.rowHeight > 0) {
        // A row image list of 1 x height pixels fixes the platform's row height.
        rowImages_ = ImageList_Create(1, options.rowHeight, ILC_COLOR32, 1, 0);
        if (rowImages_)
            SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL,
                         reinterpret_cast<LPARAM>(rowImages_));
        fitRowHeight(options.rowHeight);
    }
    uint32_t background = drawer_ ? drawer_->backgroundColour() : plain_.background;
    SendMessageW(list_, LVM_SETBKCOLOR, 0, background);
    SendMessageW(list_, LVM_SETTEXTBKCOLOR, 0, background);

    listbox2::List& model = box_.list();
    for (int32_t c = 0; c < model.columnCount(); ++c)
        insertColumn(c);
    columnOrderChanged();
    for (int32_t i = 0; i < model.recordCount(); ++i)
        insertItem(model.recordAt(i));
    box_.attachPlatform(this);
    header_.relayout();
    layout();
    updateScrollBar();
    return true;
}

void ListView::fitRowHeight(int32_t wanted) {
    // Platforms pad the image height differently: measure one row and take the padding off.
    LVITEMW probe{};
    probe.mask = LVIF_PARAM;
    if (SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&probe)) != 0)
        return;
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds));
    SendMessageW(list_, LVM_DELETEITEM, 0, 0);
    int32_t padding = (bounds.bottom - bounds.top) - wanted;
    if (padding <= 0 || wanted - padding <= 0)
        return;
    HIMAGELIST fitted = ImageList_Create(1, wanted - padding, ILC_COLOR32, 1, 0);
    if (!fitted)
        return;
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(fitted));
    ImageList_Destroy(rowImages_);
    rowImages_ = fitted;
}

bool ListView::forwardMiddleButton(HWND from, UINT message, WPARAM wParam, LPARAM lParam) {
    // The window behind the list owns middle clicks (it iconizes on one).
    HWND frame = frame_.load();
    HWND behind = frame ? GetParent(frame) : nullptr;
    if (!behind)
        return false;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(from, behind, &at, 1);
    SendMessageW(behind, message, wParam, MAKELPARAM(at.x, at.y));
    return true;
}

void ListView::destroy() {
    HWND frame = frame_.exchange(nullptr);
    // Senders that come after this find no window and report failure.
    if (!frame)
        return;
    header_.detach();
    if (list_)
        RemoveWindowSubclass(list_, &listProcedure, kListSubclass);
    SetWindowLongPtrW(frame, GWLP_USERDATA, 0);
    DestroyWindow(frame);
    list_ = nullptr;
    looks_.clear();
    selectedRows_.clear();
    mirrorValid_ = false;
    if (rowImages_) {
        ImageList_Destroy(rowImages_);
        rowImages_ = nullptr;
    }
    boldFont_.reset();
}

void ListView::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
    HWND frame = frame_.load();
    width_ = width;
    height_ = height;
    if (frame)
        MoveWindow(frame, x, y, width, height, TRUE);
    layout();
    updateScrollBar();
}

void ListView::setListBoxDrawer(drawer::IListBox* drawer, drawer::IListHeader* headerDrawer,
                                drawer::IScrollBar* scrollBarDrawer) {
    drawer_ = drawer;
    scrollBarDrawer_ = scrollBarDrawer;
    header_.setDrawer(headerDrawer);
    ++lookGeneration_;
    if (!list_)
        return;
    rebuildFonts();
    uint32_t background = drawer_ ? drawer_->backgroundColour() : plain_.background;
    SendMessageW(list_, LVM_SETBKCOLOR, 0, background);
    SendMessageW(list_, LVM_SETTEXTBKCOLOR, 0, background);
    layout();
    updateScrollBar();
    InvalidateRect(frame_.load(), nullptr, FALSE);
    InvalidateRect(list_, nullptr, FALSE);
}

void ListView::setPlainColours(const PlainColours& colours) {
    plain_ = colours;
    ++lookGeneration_;
    if (list_ && !drawer_) {
        SendMessageW(list_, LVM_SETBKCOLOR, 0, plain_.background);
        InvalidateRect(list_, nullptr, FALSE);
    }
}

void ListView::setFont(HFONT font) {
    baseFont_ = font;
    rebuildFonts();
}

void ListView::setSelectionColour(uint32_t colour) {
    customSelection_ = true;
    selectionColour_ = colour;
    ++lookGeneration_;
    repaintAll();
}

void ListView::setAlternateRowColour(uint32_t colour) {
    customAlternate_ = true;
    alternateColour_ = colour;
    options_.alternateRows = true;
    ++lookGeneration_;
    repaintAll();
}

void ListView::setAlternateRows(bool on) {
    options_.alternateRows = on;
    ++lookGeneration_;
    repaintAll();
}

void ListView::rebuildFonts() {
    HFONT normal = drawer_ && drawer_->normalFont() ? drawer_->normalFont() : baseFont_;
    if (!normal)
        normal = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW face{};
    boldFont_.reset();
    if (GetObjectW(normal, sizeof(face), &face) == sizeof(face)) {
        face.lfWeight = FW_BOLD;
        boldFont_.reset(CreateFontIndirectW(&face));
    }
    normalFont_ = normal;
    rowHeight_ = 0;
    scrollDirty_ = true;
    if (list_)
        SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(normal), FALSE);
    header_.setFont(normal);
    ++lookGeneration_;
}

HFONT ListView::fontFor(const Record* row, const SubRecord* cell, bool selected) const {
    bool emphasis = row->alternate() || (cell && cell->emphasis());
    if (emphasis && boldFont_)
        return boldFont_.get();
    if (selected && drawer_ && drawer_->selectedFont())
        return drawer_->selectedFont();
    return normalFont_;
}

// --- hand-over ---

bool ListView::onGuiThread() const {
    return guiThread_ != 0 && GetCurrentThreadId() == guiThread_;
}

bool ListView::runOnGuiThread(void (*operation)(void*), void* block) {
    HWND frame = frame_.load();
    if (!frame)
        return false;
    // The frame answers 1 once the operation has run; 0 means it never ran (the window
    // went away meanwhile, or the message was refused).
    return SendMessageW(frame, runMessage(), reinterpret_cast<WPARAM>(operation),
                        reinterpret_cast<LPARAM>(block)) == 1;
}

// --- platform items ---

void ListView::holdNativeRedraw() {
    // Structural changes while drawing is suspended: the platform must not paint them one
    // by one; it paints once when drawing resumes.
    if (suspended_ && !nativeRedrawOff_ && list_) {
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        nativeRedrawOff_ = true;
    }
}

void ListView::insertColumn(int32_t column) {
    DataType* type = box_.list().columnAt(column);
    if (!type || !list_)
        return;
    LVCOLUMNW item{};
    item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    item.fmt = type->alignment() == DataType::kCentre  ? LVCFMT_CENTER
               : type->alignment() == DataType::kRight ? LVCFMT_RIGHT
                                                       : LVCFMT_LEFT;
    int32_t width = listbox2::clampColumnWidth(type->width(), true);
    item.cx = width > 0 ? width : listbox2::kMinColumnWidth;
    item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(type->title().text()));
    item.iSubItem = column;
    SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
    if (width == 0) {
        settingWidth_ = true;  // the view's own sizing passes the header rules
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE_USEHEADER);
        settingWidth_ = false;
    }
}

void ListView::retitleColumns() {
    if (!list_)
        return;
    for (int32_t column = 0; column < box_.list().columnCount(); ++column) {
        DataType* type = box_.list().columnAt(column);
        if (!type)
            continue;
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT;
        item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(type->title().text()));
        SendMessageW(list_, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
    }
    InvalidateRect(header_.handle(), nullptr, TRUE);
}

void ListView::columnAdded(int32_t column) {
    if (!list_)
        return;
    holdNativeRedraw();
    insertColumn(column);
    // Existing rows get the new column's text from the model on demand.
    int32_t items = static_cast<int32_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    for (int32_t i = 0; i < items; ++i) {
        LVITEMW sub{};
        sub.iSubItem = column;
        sub.pszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(list_, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&sub));
    }
    columnOrderChanged();
    forgetLooks();
}

void ListView::columnOrderChanged() {
    if (!list_)
        return;
    std::vector<int32_t> order;
    for (int32_t i = 0; i < box_.columnOrderCount(); ++i)
        order.push_back(box_.columnOrderAt(i));
    if (order.empty())
        return;
    SendMessageW(list_, LVM_SETCOLUMNORDERARRAY, order.size(),
                 reinterpret_cast<LPARAM>(order.data()));
    header_.setOrder(order.data(), static_cast<int32_t>(order.size()));
    header_.readBack();
    forgetLooks();
    InvalidateRect(list_, nullptr, FALSE);
    if (header_.handle())
        InvalidateRect(header_.handle(), nullptr, FALSE);
}

void ListView::insertItem(Record* row) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int32_t>(row->index());
    // Texts come from the model when the platform needs them (label edit, sizing).
    item.pszText = LPSTR_TEXTCALLBACKW;
    item.lParam = reinterpret_cast<LPARAM>(row);
    int32_t at = static_cast<int32_t>(
        SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (int32_t c = 1; at >= 0 && c < box_.list().columnCount(); ++c) {
        LVITEMW sub{};
        sub.iSubItem = c;
        sub.pszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(list_, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
    }
    looks_.erase(row);
}

void ListView::rowInserted(Record* row) {
    if (!list_ || !row)
        return;
    scrollDirty_ = true;
    holdNativeRedraw();
    insertItem(row);
    updateScrollBar();
}

void ListView::rowRemoved(Record* row, int32_t position) {
    if (!list_)
        return;
    scrollDirty_ = true;
    holdNativeRedraw();
    int32_t item = rowOfItem(position) == row ? position : itemOf(row);
    if (item >= 0)
        SendMessageW(list_, LVM_DELETEITEM, item, 0);
    looks_.erase(row);
    selectedRows_.erase(row);
    updateScrollBar();
}

namespace {
int CALLBACK byPosition(LPARAM a, LPARAM b, LPARAM) {
    uint32_t x = reinterpret_cast<const Record*>(a)->index();
    uint32_t y = reinterpret_cast<const Record*>(b)->index();
    return x == y ? 0 : (x < y ? -1 : 1);
}
}  // namespace

void ListView::rowsReordered() {
    if (!list_)
        return;
    holdNativeRedraw();
    SendMessageW(list_, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&byPosition));
}

int32_t ListView::itemOf(const Record* row) const {
    if (!list_ || !row)
        return -1;
    // The items follow the model's order: the row's position is its item, unless the
    // platform has not caught up yet.
    auto guess = static_cast<int32_t>(row->index());
    if (rowOfItem(guess) == row)
        return guess;
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(row);
    return static_cast<int32_t>(SendMessageW(list_, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(&find)));
}

Record* ListView::modelRow(int32_t item) const {
    // The platform items follow the model's order once a change is through; painting and
    // hit-testing read the model, which costs no platform call.
    listbox2::List& model = box_.list();
    return item >= 0 && item < model.recordCount() ? model.recordAt(item) : nullptr;
}

Record* ListView::rowOfItem(int32_t item) const {
    if (!list_ || item < 0)
        return nullptr;
    LVITEMW get{};
    get.mask = LVIF_PARAM;
    get.iItem = item;
    if (!SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&get)))
        return nullptr;
    return reinterpret_cast<Record*>(get.lParam);
}

void ListView::setRowSelected(Record* row, bool selected) {
    int32_t item = itemOf(row);
    if (item < 0)
        return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | (selected ? LVIS_FOCUSED : 0);
    state.state = selected ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
    SendMessageW(list_, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

bool ListView::isRowSelected(Record* row) {
    int32_t item = itemOf(row);
    return item >= 0 &&
           (SendMessageW(list_, LVM_GETITEMSTATE, item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

bool ListView::geometry(Geometry& g) const {
    if (!list_ || !header_.handle())
        return false;
    g.top = static_cast<int32_t>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
    g.rowHeight = rowHeight();
    RECT client{};
    GetClientRect(list_, &client);
    g.clientRight = client.right;
    g.clientBottom = client.bottom;
    // The platform moves its header sideways when it scrolls: the header's place is the
    // horizontal origin, and its bottom the rows' top.
    RECT place{};
    GetWindowRect(header_.handle(), &place);
    MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&place), 2);
    g.originX = place.left;
    g.rowsTop = IsWindowVisible(header_.handle()) ? place.bottom : 0;
    // The items' places change only with a header change, which empties this cache.
    int32_t columns = box_.list().columnCount();
    if (static_cast<int32_t>(columnRects_.size()) != columns) {
        columnRects_.assign(columns, RECT{});
        for (int32_t c = 0; c < columns; ++c)
            SendMessageW(header_.handle(), HDM_GETITEMRECT, c,
                         reinterpret_cast<LPARAM>(&columnRects_[c]));
    }
    g.columns = &columnRects_;
    g.lastColumn = lastColumnInOrder();
    return g.rowHeight > 0;
}

bool ListView::cellRectIn(const Geometry& g, int32_t item, int32_t column, RECT& out) const {
    if (!g.columns || column < 0 || column >= static_cast<int32_t>(g.columns->size()))
        return false;
    const RECT& place = (*g.columns)[column];
    out.left = g.originX + place.left;
    out.right = g.originX + place.right;
    out.top = g.rowsTop + (item - g.top) * g.rowHeight;
    out.bottom = out.top + g.rowHeight;
    if (column == g.lastColumn && out.right < g.clientRight)
        out.right = g.clientRight;
    return out.right > out.left;
}

void ListView::ensureVisible(Record* row) {
    int32_t item = itemOf(row);
    if (item < 0)
        return;
    SendMessageW(list_, LVM_ENSUREVISIBLE, item, FALSE);
    updateScrollBar();
}

// --- repaint requests ---

void ListView::setRedraw(bool on) {
    if (!on) {
        suspended_ = true;
        return;
    }
    suspended_ = false;
    if (nativeRedrawOff_ && list_) {
        nativeRedrawOff_ = false;
        scrollDirty_ = true;
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, FALSE);
    }
    updateScrollBar();
}

bool ListView::canPaintNow() const {
    if (!list_ || suspended_ || nativeRedrawOff_ || !IsWindowVisible(list_))
        return false;
    HWND root = GetAncestor(list_, GA_ROOT);
    return !(root && IsIconic(root));
}

uint64_t& ListView::lookSlot(const Record* row, int32_t column) {
    std::vector<uint64_t>& slots = looks_[row];
    if (static_cast<int32_t>(slots.size()) <= column)
        slots.resize(column + 1, 0);
    return slots[column];
}

bool ListView::cellRect(Record* row, int32_t column, RECT& out) const {
    int32_t item = itemOf(row);
    Geometry g;
    return item >= 0 && geometry(g) && cellRectIn(g, item, column, out);
}

bool ListView::lookOf(Record* row, int32_t item, int32_t column, const RECT& rect, CellLook& look) {
    SubRecord* cell = row->cell(column);
    DataType* type = box_.list().columnAt(column);
    if (!type)
        return false;
    look.rect = rect;
    look.cell = cell;
    drawer::CellPaint& p = look.paint;
    p = drawer::CellPaint{};
    bool selected = selectedRows_.count(row) != 0;
    p.alignment = type->alignment();
    p.selected = selected;
    p.fullRow = options_.fullRowSelect;
    p.oddRow = options_.alternateRows && (item % 2) == 1;
    p.hasTree = type->treeColumn() && row->treeCell() == column;
    p.treeLevel = p.hasTree ? row->treeLevel() : 0;
    p.treeState = cell ? cell->treeState() : 0;
    p.checkState = cell ? cell->checkState() : 0;
    p.hasCheckBox = p.checkState != SubRecord::kNoCheckBox;
    p.text = cell ? reinterpret_cast<const char16_t*>(cell->displayText()) : u"";
    p.ellipsis = true;
    p.normalFont = fontFor(row, cell, false);
    p.selectedFont = fontFor(row, cell, true);
    if (row->greyed() || row->mark() || (cell && cell->flag3())) {
        p.useTextColour = true;
        p.textColour = greyText();
    }
    Signature s;
    s.add(lookGeneration_);
    s.add(reinterpret_cast<uintptr_t>(row));
    s.add((static_cast<uint64_t>(static_cast<uint32_t>(rect.left)) << 32) |
          static_cast<uint32_t>(rect.right));
    s.add((static_cast<uint64_t>(static_cast<uint32_t>(rect.top)) << 32) |
          static_cast<uint32_t>(rect.bottom));
    s.add(static_cast<uint64_t>(p.selected) | (static_cast<uint64_t>(p.oddRow) << 1) |
          (static_cast<uint64_t>(p.useTextColour) << 2) |
          (static_cast<uint64_t>(p.checkState & 0xFF) << 8) |
          (static_cast<uint64_t>(p.treeState & 0xFF) << 16) |
          (static_cast<uint64_t>(p.treeLevel & 0xFFFF) << 24));
    s.add(reinterpret_cast<uintptr_t>(p.normalFont) ^
          (static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p.selectedFont)) << 1));
    s.addText(p.text);
    look.signature = s.value();
    return true;
}

bool ListView::ensureBuffer(image::win::BufferedImage*& buffer, image::win::DrawingContext& dc,
                            int32_t width, int32_t height) {
    if (!buffer)
        buffer = image::win::BufferedImage::make(width, height);
    if (!buffer)
        return false;
    HBITMAP before = buffer->bitmap();
    if (width > buffer->capacityWidth() || height > buffer->capacityHeight()) {
        if (!buffer->ensureCapacity(std::max(width, buffer->capacityWidth()),
                                    std::max(height, buffer->capacityHeight())))
            return false;
    }
    if (!dc.isOpen() || buffer->bitmap() != before)
        return dc.open(list_, buffer, false);
    return true;
}

void ListView::plainPaintCell(HDC dc, int32_t width, int32_t height, const drawer::CellPaint& p,
                              RECT& textRect) {
    RECT all{0, 0, width, height};
    uint32_t background =
        p.oddRow ? (customAlternate_ ? alternateColour_ : plain_.alternate) : plain_.background;
    fill(dc, all, background);
    uint32_t selection = customSelection_ ? selectionColour_ : plain_.selection;
    int32_t left = 4;
    if (p.hasTree)
        left = 4 + 15 * p.treeLevel + 13 + 2;
    RECT box{left, 1, left + 15, 16};
    if (p.hasCheckBox)
        left = box.right + 3;
    HFONT font = p.selected ? p.selectedFont : p.normalFont;
    HGDIOBJ previous = SelectObject(dc, font);
    RECT text{left, 0, width - 4, height};
    SIZE extent{};
    int32_t length = static_cast<int32_t>(std::char_traits<char16_t>::length(p.text));
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(p.text), length, &extent);
    int32_t textLeft = text.left;
    int32_t room = text.right - text.left;
    if (p.alignment == 1)
        textLeft += std::max<int32_t>(0, (room - extent.cx) / 2);
    else if (p.alignment == 2)
        textLeft += std::max<int32_t>(0, room - extent.cx);
    int32_t textRight = std::min<int32_t>(textLeft + extent.cx, text.right);
    if (p.selected) {
        RECT band = p.fullRow ? all : RECT{textLeft, 0, textRight + 4, height};
        fill(dc, band, selection);
    }
    uint32_t ink =
        p.useTextColour ? p.textColour : (p.selected ? plain_.selectedText : plain_.text);
    if (p.hasCheckBox) {
        fill(dc, box, ink);
        RECT inner{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
        fill(dc, inner, p.selected && p.fullRow ? selection : background);
        if (p.checkState == SubRecord::kPartial) {
            RECT mark{box.left + 4, box.top + 4, box.right - 4, box.bottom - 4};
            fill(dc, mark, ink);
        } else if (p.checkState == SubRecord::kChecked) {
            // A tick of 2 x 2 squares.
            for (int32_t i = 0; i < 3; ++i) {
                RECT dot{box.left + 3 + i, box.top + 7 + i, box.left + 5 + i, box.top + 9 + i};
                fill(dc, dot, ink);
            }
            for (int32_t i = 0; i < 5; ++i) {
                RECT dot{box.left + 6 + i, box.top + 8 - i, box.left + 8 + i, box.top + 10 - i};
                fill(dc, dot, ink);
            }
        }
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    RECT drawn{textLeft, 0, textRight, height};
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(p.text), length, &drawn,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
    SelectObject(dc, previous);
    textRect = RECT{textLeft, (height - extent.cy) / 2, textRight, (height + extent.cy) / 2};
}

void ListView::drawCell(HDC target, int32_t offsetX, int32_t offsetY, const CellLook& look) {
    int32_t width = look.rect.right - look.rect.left;
    int32_t height = look.rect.bottom - look.rect.top;
    if (width <= 0 || height <= 0 || !ensureBuffer(cellBuffer_, cellDc_, width, height))
        return;
    HDC dc = cellDc_.dc();
    RECT text{};
    if (drawer_) {
        drawer::Rect drawn = drawer_->paintCell(dc, 0, 0, width, height, look.paint);
        text = RECT{drawn.left, drawn.top, drawn.right, drawn.bottom};
    } else {
        plainPaintCell(dc, width, height, look.paint, text);
    }
    if (look.cell)
        look.cell->setTextRect(
            {text.left, text.top, text.right - text.left, text.bottom - text.top});
    BitBlt(target, look.rect.left - offsetX, look.rect.top - offsetY, width, height, dc, 0, 0,
           SRCCOPY);
    ++counts_.cells;
}

void ListView::paintRowInto(HDC target, int32_t item, int32_t offsetX, int32_t offsetY) {
    Record* row = modelRow(item);
    Geometry g;
    if (!row || !geometry(g))
        return;
    for (int32_t c = 0; c < box_.list().columnCount(); ++c) {
        RECT rect{};
        CellLook look;
        if (!cellRectIn(g, item, c, rect) || !lookOf(row, item, c, rect, look))
            continue;
        drawCell(target, offsetX, offsetY, look);
        lookSlot(row, c) = look.signature;
    }
}

HDC ListView::clipHeader(HDC dc) const {
    if (dc && header_.handle() && IsWindowVisible(header_.handle())) {
        RECT place{};
        GetWindowRect(header_.handle(), &place);
        MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&place), 2);
        ExcludeClipRect(dc, place.left, place.top, place.right, place.bottom);
    }
    return dc;
}

bool ListView::mirrorIsCurrent() const {
    if (!mirrorValid_)
        return false;
    RECT client{};
    GetClientRect(list_, &client);
    return client.right == mirrorWidth_ && client.bottom == mirrorHeight_ &&
           static_cast<int32_t>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0)) == mirrorTop_ &&
           originX() == mirrorOriginX_;
}

int32_t ListView::originX() const {
    // The header moves sideways with the rows.
    if (!header_.handle())
        return 0;
    RECT place{};
    GetWindowRect(header_.handle(), &place);
    MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&place), 1);
    return place.left;
}

bool ListView::beginUpdate() {
    if (!canPaintNow())
        return false;
    // A paint that is due anyway comes first, so that what it draws is not drawn twice.
    if (GetUpdateRect(list_, nullptr, FALSE))
        UpdateWindow(list_);
    if (!mirrorIsCurrent()) {
        // The platform moved pixels (a scroll) or the size changed: the whole control is
        // painted once, which brings every cell up to date.
        InvalidateRect(list_, nullptr, FALSE);
        UpdateWindow(list_);
        return false;
    }
    dirty_ = RECT{0, 0, 0, 0};
    return true;
}

void ListView::endUpdate() {
    if (IsRectEmpty(&dirty_))
        return;
    // One copy of everything that changed, straight into the window.
    WindowDc dc(list_);
    if (clipHeader(dc.get()))
        BitBlt(dc.get(), dirty_.left, dirty_.top, dirty_.right - dirty_.left,
               dirty_.bottom - dirty_.top, pageDc_.dc(), dirty_.left, dirty_.top, SRCCOPY);
    dirty_ = RECT{0, 0, 0, 0};
}

bool ListView::updateCellInMirror(const Geometry& g, Record* row, int32_t item, int32_t column) {
    RECT rect{};
    CellLook look;
    RECT shown{0, g.rowsTop, g.clientRight, g.clientBottom};
    RECT both{};
    if (!cellRectIn(g, item, column, rect) || !IntersectRect(&both, &shown, &rect) ||
        !lookOf(row, item, column, rect, look))
        return false;
    uint64_t& slot = lookSlot(row, column);
    if (slot == look.signature)
        return false;
    drawCell(pageDc_.dc(), 0, 0, look);
    ++counts_.directCells;
    slot = look.signature;
    RECT clipped{};
    RECT mirror{0, 0, mirrorWidth_, mirrorHeight_};
    IntersectRect(&clipped, &rect, &mirror);
    UnionRect(&dirty_, &dirty_, &clipped);
    return true;
}

void ListView::repaintCellNow(Record* row, int32_t column) {
    int32_t item = itemOf(row);
    Geometry g;
    if (item < 0 || !beginUpdate() || !geometry(g))
        return;
    updateCellInMirror(g, row, item, column);
    endUpdate();
}

bool ListView::visibleRect(const RECT& rect) const {
    RECT client{};
    GetClientRect(list_, &client);
    client.top += headerHeight();
    RECT both{};
    return IntersectRect(&both, &client, &rect) != 0;
}

void ListView::repaintCell(Record* row, int32_t column) {
    repaintCellNow(row, column);
}

void ListView::repaintRow(Record* row) {
    int32_t item = itemOf(row);
    Geometry g;
    if (item < 0 || !beginUpdate() || !geometry(g))
        return;
    bool any = false;
    for (int32_t c = 0; c < box_.list().columnCount(); ++c)
        any = updateCellInMirror(g, row, item, c) || any;
    if (any)
        ++counts_.rows;
    endUpdate();
}

void ListView::repaintChanged(int32_t onlyColumn) {
    Geometry g;
    if (!beginUpdate() || !geometry(g))
        return;
    int32_t top = g.top;
    int32_t shown = (g.clientBottom - g.rowsTop) / g.rowHeight + 2;
    int32_t items = box_.list().recordCount();
    int32_t columns = box_.list().columnCount();
    for (int32_t item = std::max(top, 0); item < items && item < top + shown; ++item) {
        Record* row = modelRow(item);
        if (!row)
            continue;
        for (int32_t c = 0; c < columns; ++c) {
            if (onlyColumn < 0 || c == onlyColumn)
                updateCellInMirror(g, row, item, c);
        }
    }
    endUpdate();
}

void ListView::repaintColumn(int32_t column) {
    repaintChanged(column);
}

void ListView::repaintAll() {
    repaintChanged(-1);
    updateScrollBar();
}

// --- whole-control paint ---

void ListView::paintList() {
    // After the platform moved pixels itself the whole mirror is redrawn, never a strip
    // next to stale pixels.
    if (!mirrorIsCurrent())
        InvalidateRect(list_, nullptr, FALSE);
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(list_, &ps);
    if (!screen)
        return;
    RECT client{};
    GetClientRect(list_, &client);
    int32_t width = client.right;
    int32_t height = client.bottom;
    if (width > 0 && height > 0 && ensureBuffer(pageBuffer_, pageDc_, width, height)) {
        HDC dc = pageDc_.dc();
        HRGN clip = CreateRectRgnIndirect(&ps.rcPaint);
        SelectClipRgn(dc, clip);
        if (clip)
            DeleteObject(clip);
        if (drawer_)
            drawer_->paintBackground(dc, 0, 0, width, height);
        else
            fill(dc, client, plain_.background);
        // The platform lays the items out and raises the item drawing for each visible row,
        // which draws the cells into this buffer.
        inFullPaint_ = true;
        DefSubclassProc(list_, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        inFullPaint_ = false;
        SelectClipRgn(dc, nullptr);
        clipHeader(screen);
        BitBlt(screen, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, dc, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        ++counts_.fullPaints;
        mirrorValid_ = true;
        mirrorWidth_ = width;
        mirrorHeight_ = height;
        mirrorTop_ = static_cast<int32_t>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
        mirrorOriginX_ = originX();
    }
    EndPaint(list_, &ps);
    HWND frame = frame_.load();
    if (frame && vbarShown_) {
        RECT bar = vbarRect();
        InvalidateRect(frame, &bar, FALSE);
    }
}

LRESULT ListView::customDraw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            auto item = static_cast<int32_t>(draw->nmcd.dwItemSpec);
            paintRowInto(draw->nmcd.hdc, item, 0, 0);
            if (!inFullPaint_)
                ++counts_.rows;
            return CDRF_SKIPDEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

// --- scroll bar ---

int32_t ListView::headerHeight() const {
    HWND header = header_.handle();
    if (!header || !IsWindowVisible(header))
        return 0;
    RECT place{};
    GetWindowRect(header, &place);
    return place.bottom - place.top;
}

int32_t ListView::rowHeight() const {
    if (!list_)
        return 0;
    if (rowHeight_ > 0)
        return rowHeight_;
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0) > 0 &&
        SendMessageW(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds))) {
        rowHeight_ = bounds.bottom - bounds.top;  // measured once; fonts reset it
        return rowHeight_;
    }
    return options_.rowHeight;
}

int32_t ListView::contentHeight() const {
    if (!list_)
        return 0;
    return static_cast<int32_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)) * rowHeight();
}

int32_t ListView::pageHeight() const {
    // Whole rows only: the last row ends at the bottom edge when scrolled to the end.
    if (!list_)
        return 0;
    return static_cast<int32_t>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0)) * rowHeight();
}

int32_t ListView::verticalPosition() const {
    if (!list_)
        return 0;
    // The platform scrolls by whole rows; the position keeps the pixels in between, unless
    // the platform scrolled by itself (keys, ensureVisible).
    int32_t height = rowHeight();
    auto top = static_cast<int32_t>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
    if (height <= 0)
        return 0;
    if (scrollPixels_ / height != top)
        scrollPixels_ = top * height;
    return scrollPixels_;
}

void ListView::scrollVertical(int32_t amount) {
    if (!list_)
        return;
    scrollDirty_ = true;
    int32_t height = rowHeight();
    int32_t position = verticalPosition();
    int32_t target = listbox2::scrolledPosition(position, amount, contentHeight(), pageHeight());
    if (height > 0) {
        int32_t rows = target / height - position / height;
        if (rows != 0)
            SendMessageW(list_, LVM_SCROLL, 0, rows * height);
        scrollPixels_ = target;
        verticalPosition();  // the platform may have stopped short
    }
    updateScrollBar();
    HWND frame = frame_.load();
    if (frame && vbarShown_) {
        RECT bar = vbarRect();
        InvalidateRect(frame, &bar, FALSE);
    }
}

int32_t ListView::barWidth() const {
    int32_t width = scrollBarDrawer_ ? scrollBarDrawer_->width() : drawer::kScrollBarWidth;
    return width > 0 ? width : drawer::kScrollBarWidth;
}

RECT ListView::vbarRect() const {
    return RECT{width_ - barWidth(), 0, width_, height_};
}

RECT ListView::thumbRect() const {
    RECT bar = vbarRect();
    int32_t content = contentHeight();
    int32_t page = pageHeight();
    int32_t track = bar.bottom - bar.top;
    if (content <= 0 || page >= content)
        return bar;
    int32_t thumb =
        std::max<int32_t>(12, static_cast<int32_t>(static_cast<int64_t>(track) * page / content));
    int32_t most = listbox2::maxScrollPosition(content, page);
    int32_t top =
        most > 0
            ? static_cast<int32_t>(static_cast<int64_t>(track - thumb) * verticalPosition() / most)
            : 0;
    return RECT{bar.left, bar.top + top, bar.right, bar.top + top + thumb};
}

void ListView::layout() {
    if (!list_)
        return;
    scrollDirty_ = true;
    int32_t listWidth = width_ - (vbarShown_ ? barWidth() : 0);
    MoveWindow(list_, 0, 0, std::max(listWidth, 0), height_, TRUE);
}

void ListView::updateScrollBar() {
    if (!list_ || suspended_)
        return;
    // Once a second the clock task thaws the list: unless rows came or went, the size
    // changed or the list scrolled, the bar has nothing new to show.
    auto top = static_cast<int32_t>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
    if (!scrollDirty_ && top == barTop_)
        return;
    scrollDirty_ = false;
    barTop_ = top;
    auto items = static_cast<int32_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    auto perPage = static_cast<int32_t>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0));
    bool shown = perPage > 0 && items > perPage;
    if (shown != vbarShown_) {
        vbarShown_ = shown;
        layout();
    }
    // The bar is drawn again only when what it shows moved.
    RECT thumb = thumbRect();
    uint64_t state = (static_cast<uint64_t>(static_cast<uint32_t>(thumb.top)) << 32) |
                     (static_cast<uint32_t>(thumb.bottom) << 1) | (vbarShown_ ? 1u : 0u);
    if (vbarShown_ && state != barState_) {
        HWND frame = frame_.load();
        RECT bar = vbarRect();
        if (frame)
            InvalidateRect(frame, &bar, FALSE);
    }
    barState_ = state;
}

void ListView::paintScrollBar(HDC target) {
    RECT bar = vbarRect();
    int32_t width = bar.right - bar.left;
    int32_t height = bar.bottom - bar.top;
    if (width <= 0 || height <= 0 || !ensureBuffer(cellBuffer_, cellDc_, width, height))
        return;
    HDC dc = cellDc_.dc();
    RECT thumb = thumbRect();
    OffsetRect(&thumb, -bar.left, 0);
    if (scrollBarDrawer_) {
        // The drawer paints the frame and the thumb over the caller's background; its range
        // is the scroll positions, the page beside it.
        RECT all{0, 0, width, height};
        fill(dc, all, drawer_ ? drawer_->backgroundColour() : plain_.background);
        drawer::PaintState state;
        state.vertical = true;
        state.minimum = 0;
        state.page = pageHeight();
        state.maximum = listbox2::maxScrollPosition(contentHeight(), state.page);
        state.value = verticalPosition();
        scrollBarDrawer_->paint(dc, 0, 0, width, height, state);
    } else {
        RECT all{0, 0, width, height};
        fill(dc, all, plain_.alternate);
        RECT inner{thumb.left + 3, thumb.top + 2, thumb.right - 3, thumb.bottom - 2};
        fill(dc, inner, plain_.selection);
    }
    BitBlt(target, bar.left, bar.top, width, height, dc, 0, 0, SRCCOPY);
}

// --- header ---

int32_t ListView::lastColumnInOrder() const {
    int32_t count = box_.columnOrderCount();
    return count > 0 ? box_.columnOrderAt(count - 1) : -1;
}

void ListView::headerClickedBeyondLast() {
    box_.headerClickedBeyondLast();
}

void ListView::headerOrderDragged() {
    if (!list_)
        return;
    int32_t columns = box_.list().columnCount();
    if (columns <= 0)
        return;
    std::vector<int32_t> order(columns, -1);
    if (!SendMessageW(list_, LVM_GETCOLUMNORDERARRAY, columns,
                      reinterpret_cast<LPARAM>(order.data())))
        return;
    bool same = true;
    for (int32_t i = 0; i < columns; ++i)
        same = same && order[i] == box_.columnOrderAt(i);
    if (same)
        return;
    box_.columnOrderDragged(order.data(), columns);
    header_.setOrder(order.data(), columns);
    forgetLooks();
    InvalidateRect(list_, nullptr, FALSE);
}

LRESULT ListView::headerNotify(NMHDR* header, bool& handled) {
    handled = false;
    switch (header->code) {
        case HDN_BEGINTRACKW:
        case HDN_BEGINTRACKA: {
            // The last column in display order keeps its width (it reaches the right edge).
            auto* item = reinterpret_cast<NMHEADERW*>(header);
            handled = true;
            return item->iItem == lastColumnInOrder() ? TRUE : FALSE;
        }
        case HDN_ITEMCHANGINGW:
        case HDN_ITEMCHANGINGA: {
            auto* item = reinterpret_cast<NMHEADERW*>(header);
            if (!item->pitem || !(item->pitem->mask & HDI_WIDTH))
                return FALSE;
            handled = true;
            if (item->iItem == lastColumnInOrder() && !settingWidth_)
                return TRUE;
            if (item->pitem->cxy < listbox2::kMinColumnWidth) {
                // A drag below the minimum stops at it.
                int32_t now =
                    static_cast<int32_t>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, item->iItem, 0));
                if (now != listbox2::kMinColumnWidth && !settingWidth_) {
                    settingWidth_ = true;
                    SendMessageW(list_, LVM_SETCOLUMNWIDTH, item->iItem, listbox2::kMinColumnWidth);
                    settingWidth_ = false;
                }
                return TRUE;
            }
            return FALSE;
        }
        case HDN_ITEMCHANGEDW:
        case HDN_ITEMCHANGEDA:
            columnRects_.clear();
            header_.readBack();
            updateScrollBar();
            return 0;
        default:
            return 0;
    }
}

// --- notifications from the list ---

LRESULT ListView::notify(NMHDR* header) {
    switch (header->code) {
        case NM_CUSTOMDRAW:
            return customDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
        case LVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
                Record* row = rowOfItem(info->item.iItem);
                SubRecord* cell = row ? row->cell(info->item.iSubItem) : nullptr;
                const char16_t* text = cell ? cell->displayText() : u"";
                lstrcpynW(info->item.pszText, reinterpret_cast<const wchar_t*>(text),
                          info->item.cchTextMax);
            }
            return 0;
        }
        case LVN_ITEMCHANGED: {
            auto* change = reinterpret_cast<NMLISTVIEW*>(header);
            if (!(change->uChanged & LVIF_STATE))
                return 0;
            if (change->iItem < 0) {
                // "All items": the selection is read again, never indexed with -1.
                selectedRows_.clear();
                auto items = static_cast<int32_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
                for (int32_t i = 0; i < items; ++i) {
                    if (SendMessageW(list_, LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED)
                        selectedRows_.insert(rowOfItem(i));
                }
                box_.resyncSelection();
                return 0;
            }
            bool was = (change->uOldState & LVIS_SELECTED) != 0;
            bool now = (change->uNewState & LVIS_SELECTED) != 0;
            if (was != now) {
                if (Record* row = rowOfItem(change->iItem)) {
                    if (now)
                        selectedRows_.insert(row);
                    else
                        selectedRows_.erase(row);
                    box_.rowSelectionChanged(row, now);
                }
            }
            return 0;
        }
        case LVN_COLUMNCLICK:
            box_.headerClicked(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
            return 0;
        case LVN_BEGINLABELEDITW: {
            DataType* first = box_.list().columnAt(0);
            return first && first->editable() ? FALSE : TRUE;
        }
        case LVN_ENDLABELEDITA: {
            auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
            if (info->item.pszText) {
                wchar_t text[260] = {};
                MultiByteToWideChar(CP_ACP, 0, info->item.pszText, -1, text, 259);
                box_.labelEdited(rowOfItem(info->item.iItem),
                                 reinterpret_cast<const char16_t*>(text));
            }
            return FALSE;
        }
        case LVN_BEGINLABELEDITA: {
            DataType* first = box_.list().columnAt(0);
            return first && first->editable() ? FALSE : TRUE;
        }
        case LVN_ENDLABELEDITW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            // A null text is a cancelled edit: nothing changes.
            if (info->item.pszText)
                box_.labelEdited(rowOfItem(info->item.iItem),
                                 reinterpret_cast<const char16_t*>(info->item.pszText));
            return FALSE;  // the platform keeps no text of its own
        }
        default:
            return 0;
    }
}

// --- window procedures ---

LRESULT CALLBACK ListView::frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<ListView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!view) {
        if (message == runMessage())
            return 0;  // never ran
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return view->handleFrame(message, wParam, lParam);
}

bool ListView::middleOrPassThrough() const {
    return options_.passThroughClicks || (GetAsyncKeyState(VK_MBUTTON) & 0x8000) != 0;
}

LRESULT ListView::handleFrame(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND frame = frame_.load();
    if (message == runMessage()) {
        reinterpret_cast<void (*)(void*)>(wParam)(reinterpret_cast<void*>(lParam));
        return 1;
    }
    switch (message) {
        case WM_NOTIFYFORMAT:
            // The list's notifications come with UTF-16 texts.
            return NFR_UNICODE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header && header->hwndFrom == list_)
                return notify(header);
            break;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(frame, &ps);
            if (dc && vbarShown_)
                paintScrollBar(dc);
            EndPaint(frame, &ps);
            return 0;
        }
        case WM_NCHITTEST: {
            LRESULT hit = DefWindowProcW(frame, message, wParam, lParam);
            return hit == HTCLIENT && middleOrPassThrough() ? HTTRANSPARENT : hit;
        }
        case WM_LBUTTONDOWN: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT bar = vbarRect();
            if (!vbarShown_ || !PtInRect(&bar, at))
                break;
            RECT thumb = thumbRect();
            if (PtInRect(&thumb, at)) {
                draggingThumb_ = true;
                dragOffset_ = at.y - thumb.top;
                SetCapture(frame);
            } else {
                scrollVertical(at.y < thumb.top ? -pageHeight() : pageHeight());
            }
            return 0;
        }
        case WM_MOUSEMOVE:
            if (draggingThumb_) {
                RECT bar = vbarRect();
                RECT thumb = thumbRect();
                int32_t track = (bar.bottom - bar.top) - (thumb.bottom - thumb.top);
                int32_t most = listbox2::maxScrollPosition(contentHeight(), pageHeight());
                int32_t y = GET_Y_LPARAM(lParam) - dragOffset_ - bar.top;
                int32_t target =
                    track > 0 ? static_cast<int32_t>(static_cast<int64_t>(y) * most / track) : 0;
                scrollVertical(target - verticalPosition());
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (draggingThumb_) {
                draggingThumb_ = false;
                ReleaseCapture();
                return 0;
            }
            break;
        case WM_MOUSEWHEEL:
            if (list_)
                return SendMessageW(list_, message, wParam, lParam);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            if (forwardMiddleButton(frame, message, wParam, lParam))
                return 0;
            break;
        case WM_SIZE:
            width_ = LOWORD(lParam);
            height_ = HIWORD(lParam);
            layout();
            updateScrollBar();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

LRESULT CALLBACK ListView::listProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    auto* view = reinterpret_cast<ListView*>(data);
    if (!view || view->list_ != window)
        return DefSubclassProc(window, message, wParam, lParam);
    return view->handleList(message, wParam, lParam);
}

bool ListView::cellAt(POINT at, Record*& row, int32_t& column, RECT& rect) const {
    LVHITTESTINFO hit{};
    hit.pt = at;
    if (SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0 ||
        hit.iItem < 0)
        return false;
    row = rowOfItem(hit.iItem);
    column = hit.iSubItem;
    return row && cellRect(row, column, rect);
}

bool ListView::clickControls(POINT at) {
    Record* row = nullptr;
    int32_t column = 0;
    RECT rect{};
    if (!cellAt(at, row, column, rect))
        return false;
    SubRecord* cell = row->cell(column);
    DataType* type = box_.list().columnAt(column);
    if (!cell || !type)
        return false;
    int32_t x = at.x - rect.left;
    int32_t y = at.y - rect.top;
    bool hasTree = type->treeColumn() && row->treeCell() == column;
    int32_t level = hasTree ? row->treeLevel() : 0;
    if (hasTree && cell->treeState() != 0 &&
        (drawer_ ? drawer_->hitTreeControl(x, y, level) : plainTreeHit(x, y, level))) {
        box_.toggleExpand(row, row->serial());
        return true;
    }
    if (cell->checkState() != SubRecord::kNoCheckBox &&
        (drawer_ ? drawer_->hitCheckBox(x, y, hasTree, level)
                 : plainCheckHit(x, y, hasTree, level))) {
        box_.checkBoxClicked(row, column);
        return true;
    }
    return false;
}

LRESULT ListView::handleList(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND list = list_;
    switch (message) {
        case WM_PAINT:
            paintList();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCCALCSIZE: {
            // The skinned bar of the frame scrolls the list: the platform's own bars never show.
            LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
            if (style & (WS_VSCROLL | WS_HSCROLL))
                SetWindowLongPtrW(list, GWL_STYLE, style & ~(WS_VSCROLL | WS_HSCROLL));
            break;
        }
        case WM_NCHITTEST: {
            LRESULT hit = DefSubclassProc(list, message, wParam, lParam);
            return hit == HTCLIENT && middleOrPassThrough() ? HTTRANSPARENT : hit;
        }
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            if (forwardMiddleButton(list, message, wParam, lParam))
                return 0;
            break;
        case WM_LBUTTONDOWN: {
            SetFocus(list);
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (clickControls(at))
                return 0;
            LVHITTESTINFO hit{};
            hit.pt = at;
            if (SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0 &&
                at.y >= headerHeight()) {
                box_.deselectAll();
            }
            break;
        }
        case WM_LBUTTONDBLCLK: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (clickControls(at))
                return 0;
            Record* row = nullptr;
            int32_t column = 0;
            RECT rect{};
            if (cellAt(at, row, column, rect))
                box_.rowDoubleClicked(row);
            break;
        }
        case WM_CONTEXTMENU:
            // The platform list keeps the right button's release to itself (it tracks a drag
            // from the press) and reports the finished click as a context-menu request, which
            // also comes from the keyboard's menu key.
            if (box_.rightButtonReleased())
                return 0;
            break;
        case WM_KEYDOWN: {
            if (box_.keyPressed(static_cast<int32_t>(wParam)))
                return 0;
            LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            updateScrollBar();
            return result;
        }
        case WM_KEYUP: {
            LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            updateScrollBar();
            return result;
        }
        case WM_MOUSEWHEEL: {
            UINT lines = 3;
            SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            RECT client{};
            GetClientRect(list, &client);
            int32_t page = client.bottom - headerHeight();
            scrollVertical(listbox2::wheelScrollAmount(GET_WHEEL_DELTA_WPARAM(wParam), lines,
                                                       rowHeight(), page));
            return 0;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header && header->hwndFrom == header_.handle()) {
                bool handled = false;
                LRESULT result = headerNotify(header, handled);
                if (handled && result)
                    return result;
            }
            break;
        }
        case WM_SIZE:
        case WM_VSCROLL:
        case WM_HSCROLL: {
            LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            scrollDirty_ = true;
            updateScrollBar();
            return result;
        }
        default:
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace s::gui::win
