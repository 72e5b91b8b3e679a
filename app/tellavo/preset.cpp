#include "app/tellavo/preset.h"

#include "app/tellavo/dst_mode.h"

namespace s::time::gui::dialogs::tellavo {

const PresetPlace kPresetPlaces[kPresetCount] = {
    {u"Hawaiian Standard Time", 7001000, kDstNotAvailable},
    {u"Pacific Standard Time", 7002000, kDstOn},
    {u"Mountain Standard Time", 7003000, kDstOn},
    {u"Central Standard Time (Mexico)", 7004000, kDstOn},
    {u"Central Standard Time", 7005000, kDstOn},
    {u"Eastern Standard Time", 7006000, kDstOn},
    {u"Central Brazilian Standard Time", 7007000, kDstOn},
    {u"Argentina Standard Time", 7008000, kDstOn},
    {u"E. South America Standard Time", 7009000, kDstOn},
    {u"GMT Standard Time", 7010000, kDstOn},
    {u"Romance Standard Time", 7012100, kDstOn},
    {u"W. Central Africa Standard Time", 7011000, kDstNotAvailable},
    {u"W. Europe Standard Time", 7012000, kDstOn},
    {u"South Africa Standard Time", 7013000, kDstNotAvailable},
    {u"E. Europe Standard Time", 7014000, kDstOn},
    {u"Jerusalem Standard Time", 7015000, kDstOn},
    {u"E. Africa Standard Time", 7016000, kDstNotAvailable},
    {u"Arabic Standard Time", 7017000, kDstNotAvailable},
    {u"Russian Standard Time", 7018000, kDstOn},
    {u"Iran Standard Time", 7019000, kDstNotAvailable},
    {u"Afghanistan Standard Time", 7020000, kDstNotAvailable},
    {u"India Standard Time", 7021000, kDstNotAvailable},
    {u"SE Asia Standard Time", 7022000, kDstNotAvailable},
    {u"Malay Peninsula Standard Time", 7023000, kDstNotAvailable},
    {u"China Standard Time", 7024000, kDstNotAvailable},
    {u"Taipei Standard Time", 7025000, kDstNotAvailable},
    {u"W. Australia Standard Time", 7026000, kDstOn},
    {u"Korea Standard Time", 7027000, kDstNotAvailable},
    {u"Tokyo Standard Time", 7028000, kDstNotAvailable},
    {u"AUS Eastern Standard Time", 7029000, kDstOn},
    {u"New Zealand Standard Time", 7030000, kDstOn},
};

const int32_t kPresetNameIds[kPresetCount] = {
    7001000, 7002000, 7003000, 7004000, 7005000, 7006000, 7007000, 7008000,
    7009000, 7010000, 7011000, 7012000, 7012100, 7013000, 7014000, 7015000,
    7016000, 7017000, 7018000, 7019000, 7020000, 7021000, 7022000, 7023000,
    7024000, 7025000, 7026000, 7027000, 7028000, 7029000, 7030000,
};

}  // namespace s::time::gui::dialogs::tellavo
