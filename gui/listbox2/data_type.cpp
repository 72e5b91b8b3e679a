#include "gui/listbox2/data_type.h"

#include "lang/localizer.h"

namespace s::gui::listbox2 {

DataType::~DataType() {
    detachLocalizer();
}

DataType* DataType::create(int32_t titleId, lang::Localizer* localizer, const Options& options) {
    DataType* column = take();
    if (!column)
        return nullptr;
    column->apply(options);
    column->titleId_ = titleId;
    column->localizer_ = localizer;
    if (localizer) {
        column->title_.setText(localizer->text(titleId));
        localizer->addListener(column);
    }
    return column;
}

DataType* DataType::createLiteral(const char16_t* title, const Options& options) {
    DataType* column = take();
    if (!column)
        return nullptr;
    column->apply(options);
    if (title)
        column->title_.setText(title);
    return column;
}

void DataType::apply(const Options& options) {
    // Values from outside (stored layouts) get sane defaults rather than odd geometry.
    width_ = options.width < 0 ? 0 : options.width;
    alignment_ =
        options.alignment >= kLeft && options.alignment <= kRight ? options.alignment : kLeft;
    sortable_ = options.sortable;
    comparator_ = options.comparator;
    ascending_ = options.ascending;
    iconColumn_ = options.iconColumn;
    checkBoxColumn_ = options.checkBoxColumn;
    editable_ = options.editable;
    treeColumn_ = options.treeColumn;
}

void DataType::detachLocalizer() {
    if (localizer_)
        localizer_->removeListener(this);
    localizer_ = nullptr;
}

void DataType::reset() {
    detachLocalizer();
    title_.freeStorage();
    titleId_ = -1;
    apply(Options{});
    linkColumn_ = false;
}

void DataType::onEvent(base::IObject* source, int32_t eventId) {
    if (!localizer_ || titleId_ == -1)
        return;
    if (source != static_cast<base::IObject*>(localizer_))
        return;
    title_.setText(localizer_->text(titleId_));
}

}  // namespace s::gui::listbox2
