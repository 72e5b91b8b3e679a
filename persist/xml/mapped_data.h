#pragma once

#include <cstdint>

#include "base/pool.h"
#include "base/str_buffer.h"
#include "persist/map/i_mapped_data.h"
#include "persist/xml/node.h"

namespace s::xml {

// The settings store over one XML file: each key path is a chain of nested elements below
// the document element, each value an attribute of its key's element, the unnamed value
// the element's text. Path components match element names exactly (case and length); the
// last resolved path is remembered and reused when the next path equals it ignoring case.
// Nothing reaches the file except through save().
class MappedData final : public thread::Pooled<MappedData, map::IMappedData> {
public:
    MappedData() = default;
    ~MappedData() override;
    MappedData(const MappedData&) = delete;
    MappedData& operator=(const MappedData&) = delete;

    // A pooled store bound to `path`: the file's document when it can be read and holds an
    // element, else a new empty element "savedata". A file that exists but cannot be read
    // is left alone: the store is then bound to no file and save() fails.
    static MappedData* createForFile(const char16_t* path);

    const char16_t* className() const override { return u"s_xml_MappedData"; }
    MappedData* newInstance() const override { return take(); }
    // Releases the tree, forgets the file and the last path, turns auto-save off.
    void reset() override;

    // The file save() writes; nullptr: none.
    void bindFile(const char16_t* path);
    const char16_t* filePath() const { return file_.text(); }
    // The store takes ownership of a pooled node (the old root is released); the last path is
    // forgotten and the root becomes current.
    void setRoot(Node* root);
    Node* root() const { return root_; }
    // The element of the last resolved path; nullptr when it was not found.
    Node* current() const { return current_; }

    bool save() override;
    bool openKey(const char16_t* path) override { return resolve(path, true) != nullptr; }
    bool deleteKey(const char16_t* path) override;
    bool keyExists(const char16_t* path) override { return resolve(path, false) != nullptr; }
    bool hasValue(const char16_t* path, const char16_t* name) override;

    uint8_t getUInt8(const char16_t* path, const char16_t* name, uint8_t fallback) override;
    uint16_t getUInt16(const char16_t* path, const char16_t* name, uint16_t fallback) override;
    uint32_t getUInt32(const char16_t* path, const char16_t* name, uint32_t fallback) override;
    uint64_t getUInt64(const char16_t* path, const char16_t* name, uint64_t fallback) override;
    int8_t getInt8(const char16_t* path, const char16_t* name, int8_t fallback) override;
    int16_t getInt16(const char16_t* path, const char16_t* name, int16_t fallback) override;
    int32_t getInt32(const char16_t* path, const char16_t* name, int32_t fallback) override;
    int64_t getInt64(const char16_t* path, const char16_t* name, int64_t fallback) override;
    float getFloat(const char16_t* path, const char16_t* name, float fallback) override;
    double getDouble(const char16_t* path, const char16_t* name, double fallback) override;
    bool getBool(const char16_t* path, const char16_t* name, bool fallback) override;
    const char16_t* getString(const char16_t* path, const char16_t* name, const char16_t* fallback,
                              bool* isExpandable = nullptr, bool expand = false) override;
    col::ArrayU08* getBytes(const char16_t* path, const char16_t* name,
                            col::ArrayU08* bytes = nullptr) override;
    bool deleteValue(const char16_t* path, const char16_t* name) override;

    bool setUInt8(const char16_t* path, const char16_t* name, uint8_t value) override;
    bool setUInt16(const char16_t* path, const char16_t* name, uint16_t value) override;
    bool setUInt32(const char16_t* path, const char16_t* name, uint32_t value) override;
    bool setUInt64(const char16_t* path, const char16_t* name, uint64_t value) override;
    bool setInt8(const char16_t* path, const char16_t* name, int8_t value) override;
    bool setInt16(const char16_t* path, const char16_t* name, int16_t value) override;
    bool setInt32(const char16_t* path, const char16_t* name, int32_t value) override;
    bool setInt64(const char16_t* path, const char16_t* name, int64_t value) override;
    bool setFloat(const char16_t* path, const char16_t* name, float value) override;
    bool setDouble(const char16_t* path, const char16_t* name, double value) override;
    bool setBool(const char16_t* path, const char16_t* name, bool value) override;
    bool setString(const char16_t* path, const char16_t* name, const char16_t* text) override;
    bool setExpandableString(const char16_t* path, const char16_t* name,
                             const char16_t* text) override {
        return setString(path, name, text);
    }
    bool flush() override { return autoSaveOn_ ? save() : true; }
    using map::IMappedData::setBytes;
    bool setBytes(const char16_t* path, const char16_t* name, const uint8_t* bytes,
                  int32_t count) override;
    bool autoSave() const override { return autoSaveOn_; }
    void setAutoSave(bool on) override { autoSaveOn_ = on; }

private:
    // The element of `path` (created with `create`), remembered as the current one.
    Node* resolve(const char16_t* path, bool create);
    // The stored text of the value, or nullptr.
    const char16_t* valueOf(const char16_t* path, const char16_t* name);
    // Opens the key, replaces the value by `text` (already escaped), and flushes.
    bool writeRaw(const char16_t* path, const char16_t* name, const char16_t* text,
                  int32_t count = -1);
    // Writes the number text that `append` puts into an empty buffer.
    template <class Append>
    bool writeNumber(const char16_t* path, const char16_t* name, Append append) {
        str::StrBuffer text;
        append(text);
        return writeRaw(path, name, text.text(), text.length());
    }

    str::StrBuffer file_;
    str::StrBuffer scratch_;  // the text handed out by getString
    str::StrBuffer lastPath_;
    Node* root_ = nullptr;     // owned
    Node* current_ = nullptr;  // inside root_'s tree, not owned
    bool autoSaveOn_ = false;
};

}  // namespace s::xml
