#pragma once

namespace s::gui {

// A component whose text the user may be allowed to change (text fields, combo boxes).
// The component's window thread.
class IEditable {
public:
    virtual ~IEditable() = default;
    virtual void setEditable(bool on) = 0;
    virtual bool isEditable() const = 0;
};

}  // namespace s::gui
