#pragma once

#include <cstdint>

#include "base/event_listener.h"
#include "base/object.h"
#include "base/pool.h"
#include "base/str_buffer.h"
#include "gui/listbox2/cell_functions.h"

namespace s::lang {
class Localizer;
}

namespace s::gui::listbox2 {

// One column of a list: header text, geometry, the marks its cells carry, and how its
// values sort. A column with a title id follows its localizer's language changes.
class DataType final : public events::IEventListener,
                       public base::IObject,
                       public thread::Pooled<DataType> {
public:
    enum Alignment : int32_t { kLeft = 0, kCentre = 1, kRight = 2 };

    struct Options {
        int32_t width = 0;  // pixels; 0 sizes the column to its content
        int32_t alignment = kLeft;
        bool sortable = false;
        ValueComparator comparator = nullptr;  // null: values compare equal
        bool ascending = true;
        bool iconColumn = false;
        bool checkBoxColumn = false;
        bool editable = false;
        bool treeColumn = false;
    };

    DataType() = default;
    ~DataType() override;
    DataType(const DataType&) = delete;
    DataType& operator=(const DataType&) = delete;

    // A column titled by the localizer's text for `titleId`; it registers with the
    // localizer (not owned) to be retitled when the language changes.
    static DataType* create(int32_t titleId, lang::Localizer* localizer, const Options& options);
    // A column with a literal title; titleId() stays -1.
    static DataType* createLiteral(const char16_t* title, const Options& options);

    const char16_t* className() const override { return u"s_gui_listbox2_DataType"; }
    DataType* newInstance() const override { return take(); }
    // Empty title, no title id, no localizer (unregistered), every flag false, no
    // comparator, ascending.
    void reset() override;

    // Reloads the title when its own localizer reports a language change.
    void onEvent(base::IObject* source, int32_t eventId) override;

    const str::StrBuffer& title() const { return title_; }
    void setTitle(const char16_t* title) { title_.setText(title); }
    int32_t titleId() const { return titleId_; }
    lang::Localizer* localizer() const { return localizer_; }

    int32_t alignment() const { return alignment_; }
    int32_t width() const { return width_; }
    bool sortable() const { return sortable_; }
    bool editable() const { return editable_; }
    bool iconColumn() const { return iconColumn_; }
    bool checkBoxColumn() const { return checkBoxColumn_; }
    bool treeColumn() const { return treeColumn_; }
    bool linkColumn() const { return linkColumn_; }
    void setLinkColumn(bool on) { linkColumn_ = on; }
    ValueComparator comparator() const { return comparator_; }
    bool ascending() const { return ascending_; }
    void setAscending(bool ascending) { ascending_ = ascending; }

private:
    void apply(const Options& options);
    void detachLocalizer();

    str::StrBuffer title_;
    int32_t titleId_ = -1;
    lang::Localizer* localizer_ = nullptr;  // not owned
    int32_t alignment_ = kLeft;
    int32_t width_ = 0;
    bool sortable_ = false;
    bool editable_ = false;
    bool iconColumn_ = false;
    bool checkBoxColumn_ = false;
    bool treeColumn_ = false;
    bool linkColumn_ = false;
    ValueComparator comparator_ = nullptr;
    bool ascending_ = true;
};

}  // namespace s::gui::listbox2
