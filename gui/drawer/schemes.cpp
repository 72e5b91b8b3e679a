#include "gui/drawer/schemes.h"

namespace s::gui::drawer {
namespace {

// clang-format off
constexpr ThinWindowScheme kThinWindow[] = {
    {u"White",          {hex("#FFFFFF"), hex("#444444"), hex("#CCCCCC"), hex("#444444"), hex("#444444"), hex("#000000"), hex("#EEEEEE"), hex("#777777"), hex("#777777"), hex("#FFFFFF"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#777777"), hex("#FFA500")}},
    {u"Ivory",          {hex("#F2F0E6"), hex("#000000"), hex("#AAAAAA"), hex("#000000"), hex("#000000"), hex("#000000"), hex("#EEEEEE"), hex("#B0B0B0"), hex("#B0B0B0"), hex("#F0EEE4"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#B0B0B0"), hex("#FFA500")}},
    {u"Black",          {hex("#333333"), hex("#555555"), hex("#555555"), hex("#B0B0B0"), hex("#B0B0B0"), hex("#FFFFFF"), hex("#333333"), hex("#999999"), hex("#CCCCCC"), hex("#000000"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#D5EB6B"), hex("#FFA500")}},
    {u"Black II",       {hex("#333333"), hex("#555555"), hex("#555555"), hex("#B0B0B0"), hex("#B0B0B0"), hex("#DDDDDD"), hex("#333333"), hex("#999999"), hex("#CCCCCC"), hex("#000000"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#D5EB6B"), hex("#FFA500")}},
    {u"Black Black",    {hex("#000000"), hex("#333333"), hex("#333333"), hex("#B0B0B0"), hex("#B0B0B0"), hex("#FFFFFF"), hex("#333333"), hex("#999999"), hex("#CCCCCC"), hex("#000000"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#D5EB6B"), hex("#FFA500")}},
    {u"Black Black II", {hex("#000000"), hex("#333333"), hex("#333333"), hex("#B0B0B0"), hex("#B0B0B0"), hex("#DDDDDD"), hex("#333333"), hex("#999999"), hex("#CCCCCC"), hex("#000000"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#D5EB6B"), hex("#FFA500")}},
    {u"Classic LG",     {hex("#747474"), hex("#111111"), hex("#565656"), hex("#111111"), hex("#111111"), hex("#FFFFFF"), hex("#333333"), hex("#747474"), hex("#191919"), hex("#FFFFFF"), hex("#313131"), hex("#BFBFBF"), hex("#383838"), hex("#C3EA00"), hex("#191919")}},
    {u"Beige",          {hex("#ECE9D8"), hex("#000000"), hex("#AAAAAA"), hex("#000000"), hex("#000000"), hex("#000000"), hex("#EEEEEE"), hex("#A8A280"), hex("#A8A280"), hex("#ECE9D8"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#A8A280"), hex("#FFA500")}},
    {u"Sky Blue",       {hex("#C2DFFF"), hex("#5785FF"), hex("#5785FF"), hex("#5785FF"), hex("#5785FF"), hex("#000000"), hex("#EEEEEE"), hex("#5785FF"), hex("#5785FF"), hex("#FFFFFF"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#5785FF"), hex("#FFA500")}},
    {u"Pink",           {hex("#FFC2E6"), hex("#FF5DA2"), hex("#FF5DA2"), hex("#FF5DA2"), hex("#FF5DA2"), hex("#000000"), hex("#EEEEEE"), hex("#FF5DA2"), hex("#FF5DA2"), hex("#FFFFFF"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#FF305C"), hex("#FFA500")}},
    {u"Salmon Red",     {hex("#FF305C"), hex("#FFBDCB"), hex("#FFBDCB"), hex("#FFBDCB"), hex("#FFBDCB"), hex("#FFFFFF"), hex("#333333"), hex("#FFBDCB"), hex("#FFBDCB"), hex("#FF305C"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#FFC2E6"), hex("#FFA500")}},
    {u"Yellow",         {hex("#FCFF5B"), hex("#E0CE00"), hex("#E0CE00"), hex("#E0CE00"), hex("#E0CE00"), hex("#000000"), hex("#EEEEEE"), hex("#E0CE00"), hex("#E0CE00"), hex("#FFFFFF"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#A8FF53"), hex("#FFA500")}},
    {u"Green",          {hex("#B8FF3D"), hex("#81A007"), hex("#81A007"), hex("#81A007"), hex("#81A007"), hex("#000000"), hex("#EEEEEE"), hex("#8FAF11"), hex("#8FAF11"), hex("#FFFFFF"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#8FAF11"), hex("#FFA500")}},
    {u"Orange",         {hex("#FFCF3D"), hex("#DD8702"), hex("#DD8702"), hex("#DD8702"), hex("#DD8702"), hex("#000000"), hex("#EEEEEE"), hex("#DD8702"), hex("#DD8702"), hex("#FFFFFF"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#FFFFFF"), hex("#FFA500")}},
    {u"Khaki",          {hex("#3E5C00"), hex("#92B941"), hex("#92B941"), hex("#92B941"), hex("#92B941"), hex("#FFFFFF"), hex("#333333"), hex("#DD8702"), hex("#DD8702"), hex("#3E5C00"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#D5EB6B"), hex("#FFA500")}},
    {u"Indigo",         {hex("#310082"), hex("#C07DFF"), hex("#C07DFF"), hex("#C07DFF"), hex("#C07DFF"), hex("#FFFFFF"), hex("#333333"), hex("#C39EFF"), hex("#C39EFF"), hex("#310082"), hex("#FFFFFF"), hex("#000000"), hex("#EEEEEE"), hex("#C07DFF"), hex("#FFA500")}},
};

constexpr ThinScheme kThin[] = {
    {u"White",      hex("#FFFFFF"), hex("#444444"), hex("#000000"), hex("#777777"), hex("#B0B0B0"), hex("#FFA500")},
    {u"Light Gray", hex("#F0EEE4"), hex("#000000"), hex("#000000"), hex("#B0B0B0"), hex("#B0B0B0"), hex("#FFA500")},
    {u"Black",      hex("#333333"), hex("#B0B0B0"), hex("#FFFFFF"), hex("#B0B0B0"), hex("#D5EB6B"), hex("#FFA500")},
    {u"Ivory",      hex("#ECE9D8"), hex("#000000"), hex("#000000"), hex("#A8A280"), hex("#A8A280"), hex("#FFA500")},
    {u"Sky Blue",   hex("#FFFFFF"), hex("#5785FF"), hex("#000000"), hex("#5785FF"), hex("#5785FF"), hex("#FFA500")},
    {u"Pink",       hex("#FFFFFF"), hex("#FF5DA2"), hex("#000000"), hex("#FF5DA2"), hex("#FF5DA2"), hex("#FFA500")},
    {u"Green",      hex("#FFFFFF"), hex("#8FAF11"), hex("#003300"), hex("#8FAF11"), hex("#8FAF11"), hex("#FFA500")},
    {u"Green2",     hex("#D5EB6B"), hex("#000000"), hex("#000000"), hex("#000000"), hex("#000000"), hex("#FFA500")},
    {u"Yellow",     hex("#FFFFFF"), hex("#E0CE00"), hex("#000000"), hex("#E0CE00"), hex("#E0CE00"), hex("#FFA500")},
    {u"Orange",     hex("#FFFFFF"), hex("#DD8702"), hex("#000000"), hex("#DD8702"), hex("#DD8702"), hex("#FFA500")},
    {u"Khaki",      hex("#3E5C00"), hex("#92B941"), hex("#FFFFFF"), hex("#DD8702"), hex("#DD8702"), hex("#FFA500")},
    {u"Indigo",     hex("#4B0082"), hex("#C07DFF"), hex("#FFFFFF"), hex("#C07DFF"), hex("#C07DFF"), hex("#FFA500")},
    {u"Salmon Red", hex("#FF305C"), hex("#FFBDCB"), hex("#FFFFFF"), hex("#FFBDCB"), hex("#FFBDCB"), hex("#FFA500")},
};
// clang-format on

}  // namespace

std::span<const ThinWindowScheme> thinWindowSchemes() {
    return kThinWindow;
}

std::span<const ThinScheme> thinSchemes() {
    return kThin;
}

}  // namespace s::gui::drawer
