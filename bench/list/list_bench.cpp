// The clock lists' once-a-second update on a real window: cells drawn per tick when only the
// time column changes, the GUI thread's time per tick for 31 and 300 rows, the same with the
// list hidden and with the window iconized, and the GDI objects after 10 000 ticks. Prints
// the figures and writes them as JSON to the path given as the first argument.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "base/cleaners.h"
#include "base/str_buffer.h"
#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/listbox2/cell_functions.h"
#include "gui/listbox2/record.h"
#include "gui/win/list_box2.h"
#include "gui/win/list_view.h"
#include "tests/drawer/win/gdi_count.h"

namespace {

using s::gui::listbox2::Record;
using s::gui::win::ListBox2;
using s::gui::win::ListView;

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void settle(int32_t ms) {
    DWORD end = GetTickCount() + ms;
    while (static_cast<int32_t>(end - GetTickCount()) > 0) {
        pump();
        Sleep(5);
    }
    pump();
}

double now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(frequency.QuadPart);
}

s::str::StrBuffer* text(const char16_t* value) {
    s::str::StrBuffer* b = s::str::StrBuffer::take();
    b->setText(value);
    return b;
}

// The clock task's cycle: freeze, every local time moved on in place, re-render, thaw.
void tick(ListBox2& box) {
    box.suspendRedraw(true);
    for (int32_t i = 0; i < box.recordCount(); ++i) {
        Record* row = box.recordAt(i);
        void* value = box.cellValue(row, row->serial(), 1);
        s::gui::listbox2::storeInt64Value(value, s::gui::listbox2::loadInt64Value(value) + 1);
    }
    box.refreshColumn(1);
    box.suspendRedraw(false);
}

struct Figures {
    double cellsPerTick = 0;
    double rowsPerTick = 0;
    double fullPaintsPerTick = 0;
    double msPerTick = 0;
};

struct Rig {
    HWND host = nullptr;
    ListBox2 box;
    ListView view{box};

    Rig(int32_t rows, s::gui::drawer::ISkin* skin) {
        host = CreateWindowExW(0, L"ListBenchHost", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 560,
                               31 * 20 + 24, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        box.addColumnLiteral(u"Location", 150, 0, true, s::gui::listbox2::compareText, true,
                             false, true, false, false);
        box.addColumnLiteral(u"Local Time", 150, 0, true, s::gui::listbox2::compareInt64, true,
                             false, false, false, false);
        box.addColumnLiteral(u"Time Gap", 70, 2, true, s::gui::listbox2::compareInt64, true,
                             false, false, false, false);
        box.addColumnLiteral(u"DST", 40, 1, true, s::gui::listbox2::compareText, true, false,
                             false, false, false);
        box.addColumnLiteral(u"Zone", 150, 0, true, s::gui::listbox2::compareText, true, false,
                             false, false, false);
        for (int32_t i = 0; i < rows; ++i) {
            Record* row = Record::create(5, nullptr);
            wchar_t name[32];
            std::swprintf(name, 32, L"Place %03d", i);
            row->addCell(text(reinterpret_cast<const char16_t*>(name)),
                         &s::thread::poolOf<s::str::StrBuffer>(),
                         s::gui::listbox2::textOfString, 1);
            row->addCell(s::gui::listbox2::newInt64Value(1700000000 + i * 60),
                         &s::cleaner::CleanerRaw::instance(), s::gui::listbox2::textOfInt64);
            row->addCell(s::gui::listbox2::newInt64Value(i * 1800),
                         &s::cleaner::CleanerRaw::instance(), s::gui::listbox2::textOfInt64);
            row->addCell(text(u"*"), &s::thread::poolOf<s::str::StrBuffer>(),
                         s::gui::listbox2::textOfString);
            row->addCell(text(u"(UTC+01:00) Amsterdam, Berlin, Bern"),
                         &s::thread::poolOf<s::str::StrBuffer>(), s::gui::listbox2::textOfString);
            box.appendRecord(row);
        }
        ListView::Options options;
        options.rowHeight = 20;
        options.fullRowSelect = true;
        options.alternateRows = true;
        if (skin)
            view.setListBoxDrawer(skin->listBox(), skin->listHeader(), skin->scrollBar());
        view.create(host, options, 0, 0, 560, 31 * 20 + 24);
        settle(200);
    }
    ~Rig() {
        view.destroy();
        box.clear();
        DestroyWindow(host);
        pump();
    }
    Figures measure(int32_t ticks) {
        tick(box);
        pump();
        view.resetCounts();
        double total = 0;
        for (int32_t i = 0; i < ticks; ++i) {
            double start = now();
            tick(box);
            total += now() - start;
            pump();
        }
        Figures f;
        f.cellsPerTick = static_cast<double>(view.counts().cells) / ticks;
        f.rowsPerTick = static_cast<double>(view.counts().rows) / ticks;
        f.fullPaintsPerTick = static_cast<double>(view.counts().fullPaints) / ticks;
        f.msPerTick = total * 1000.0 / ticks;
        return f;
    }
};

int32_t gdiObjects() {
    s::test::GdiCount count = s::test::gdiCount();
    return count.reported > 0 ? static_cast<int32_t>(count.reported) : count.live;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ListBenchHost";
    RegisterClassW(&wc);
    s::gui::drawer::Skinner* skinner = s::gui::drawer::Skinner::create(s::gui::drawer::kThinWindowFamily);
    s::gui::drawer::ISkin* skin = skinner ? skinner->currentSkin() : nullptr;

    Figures shown31, shown300, hidden31, iconized31;
    int32_t gdiFirst = 0, gdiAfter = 0;
    const int32_t kTicks = 200;
    {
        Rig rig(31, skin);
        shown31 = rig.measure(kTicks);
        ShowWindow(rig.view.frame(), SW_HIDE);
        hidden31 = rig.measure(kTicks);
        ShowWindow(rig.view.frame(), SW_SHOW);
        settle(100);
        ShowWindow(rig.host, SW_MINIMIZE);
        settle(100);
        iconized31 = rig.measure(kTicks);
        ShowWindow(rig.host, SW_RESTORE);
        settle(100);
        tick(rig.box);
        pump();
        gdiFirst = gdiObjects();
        for (int32_t i = 0; i < 10000; ++i) {
            tick(rig.box);
            if (i % 50 == 0)
                pump();
        }
        pump();
        gdiAfter = gdiObjects();
    }
    {
        Rig rig(300, skin);
        shown300 = rig.measure(kTicks);
    }
    if (skinner)
        skinner->release();

    auto line = [](const char* name, const Figures& f) {
        std::printf("%-26s cells/tick %6.1f  rows/tick %4.1f  full paints/tick %4.2f  GUI ms/tick %7.3f\n",
                    name, f.cellsPerTick, f.rowsPerTick, f.fullPaintsPerTick, f.msPerTick);
    };
    line("31 rows shown", shown31);
    line("300 rows (31 shown)", shown300);
    line("31 rows, list hidden", hidden31);
    line("31 rows, window iconized", iconized31);
    std::printf("GDI objects after the first tick %d, after 10000 ticks %d\n", gdiFirst, gdiAfter);

    if (argc > 1) {
        FILE* out = _wfopen(argv[1], L"w");
        if (!out) {
            std::printf("cannot write %ls\n", argv[1]);
            return 1;
        }
        auto entry = [&](const char* name, const Figures& f, bool comma) {
            std::fprintf(out,
                         "    \"%s\": {\"cells_per_tick\": %.2f, \"rows_per_tick\": %.2f, "
                         "\"full_paints_per_tick\": %.3f, \"gui_ms_per_tick\": %.4f}%s\n",
                         name, f.cellsPerTick, f.rowsPerTick, f.fullPaintsPerTick, f.msPerTick,
                         comma ? "," : "");
        };
        std::fprintf(out, "{\n  \"ticks_measured\": %d,\n  \"runs\": {\n", kTicks);
        entry("rows_31", shown31, true);
        entry("rows_300", shown300, true);
        entry("rows_31_hidden", hidden31, true);
        entry("rows_31_iconized", iconized31, false);
        std::fprintf(out, "  },\n  \"gdi_objects_after_first_tick\": %d,\n"
                          "  \"gdi_objects_after_10000_ticks\": %d\n}\n",
                     gdiFirst, gdiAfter);
        std::fclose(out);
    }
    return 0;
}
