// Parsing the language pack: our parser against pugixml on the same bytes in the same run.
// Each iteration is a whole load: UTF-8 bytes in, a tree built, the tree released.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/str_buffer.h"
#include "persist/xml/node.h"

namespace {

using s::xml::Node;

// The size the pack embedded in the program is expected to reach.
constexpr size_t kEmbeddedSize = 190 * 1024;

struct Document {
    const char* label;
    std::string bytes;
};

std::string readPack() {
    std::ifstream in(TELLAVO_LANG_XML, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The pack grown to `size` by repeating its own entries, so that the shape (element depth,
// attribute and text mix, scripts) stays that of the real one.
std::string padded(const std::string& pack, size_t size) {
    const size_t open = pack.find("<entries>");
    const size_t close = pack.rfind("</entries>");
    if (open == std::string::npos || close == std::string::npos || close <= open)
        return pack;
    const std::string entries = pack.substr(open + 9, close - open - 9);
    std::string out = pack.substr(0, close);
    for (size_t from = 0; out.size() + (pack.size() - close) < size;) {
        size_t start = entries.find("<entry ", from);
        if (start == std::string::npos) {
            if (from == 0)
                break;  // no entry to repeat
            from = 0;
            continue;
        }
        size_t end = entries.find("</entry>", start);
        if (end == std::string::npos)
            break;
        end += 8;
        out += "\n  ";
        out.append(entries, start, end - start);
        from = end;
    }
    out.append(pack, close, std::string::npos);
    return out;
}

const std::vector<Document>& documents() {
    static const std::vector<Document> list = [] {
        std::string pack = readPack();
        std::vector<Document> out;
        out.push_back({"lang.xml", pack});
        out.push_back({"lang.xml padded to 190 KB", padded(pack, kEmbeddedSize)});
        return out;
    }();
    return list;
}

int32_t ourEntryCount(const Node& root) {
    const Node* entries = root.childNamed(u"entries");
    return entries != nullptr ? entries->childCount() : -1;
}

int32_t pugixmlEntryCount(const pugi::xml_document& document) {
    pugi::xml_node entries = document.child("lang").child("entries");
    if (!entries)
        return -1;
    int32_t n = 0;
    for (pugi::xml_node entry = entries.first_child(); entry; entry = entry.next_sibling()) {
        if (entry.type() == pugi::node_element)
            ++n;
    }
    return n;
}

// Both parsers must see the same document, or the figures compare different work.
bool checkBothParsersAgree(benchmark::State& state, const Document& doc) {
    if (doc.bytes.empty()) {
        state.SkipWithError("resources/lang.xml not found");
        return false;
    }
    Node* root = Node::take();
    root->parseBytes(reinterpret_cast<const uint8_t*>(doc.bytes.data()),
                     static_cast<int32_t>(doc.bytes.size()));
    const int32_t ours = ourEntryCount(*root);
    const bool named = root->nameEquals(u"lang");
    root->release();
    pugi::xml_document reference;
    reference.load_buffer(doc.bytes.data(), doc.bytes.size(), pugi::parse_default,
                          pugi::encoding_utf8);
    if (!named || ours <= 0 || ours != pugixmlEntryCount(reference)) {
        state.SkipWithError("the parsers disagree on the document");
        return false;
    }
    return true;
}

void reportThroughput(benchmark::State& state, const Document& doc) {
    const auto size = static_cast<int64_t>(doc.bytes.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size);
    state.counters["MB_per_s"] = benchmark::Counter(static_cast<double>(size) / 1e6,
                                                    benchmark::Counter::kIsIterationInvariantRate);
    state.counters["document_bytes"] = static_cast<double>(size);
    state.SetLabel(doc.label);
}

void BM_ourParser(benchmark::State& state) {
    const Document& doc = documents()[static_cast<size_t>(state.range(0))];
    if (!checkBothParsersAgree(state, doc))
        return;
    const auto* bytes = reinterpret_cast<const uint8_t*>(doc.bytes.data());
    const auto count = static_cast<int32_t>(doc.bytes.size());
    for (auto _ : state) {
        Node* root = Node::take();
        root->parseBytes(bytes, count);
        benchmark::DoNotOptimize(root->childCount());
        root->release();
    }
    reportThroughput(state, doc);
}
BENCHMARK(BM_ourParser)->Arg(0)->Arg(1);

// The same without the UTF-8 decoding: how much of the time is the tree itself.
void BM_ourParserFromUtf16(benchmark::State& state) {
    const Document& doc = documents()[static_cast<size_t>(state.range(0))];
    if (!checkBothParsersAgree(state, doc))
        return;
    s::str::StrBuffer text;
    text.fromUtf8(reinterpret_cast<const uint8_t*>(doc.bytes.data()),
                  static_cast<int32_t>(doc.bytes.size()));
    for (auto _ : state) {
        Node* root = Node::take();
        root->parse(text.rawChars(), text.length());
        benchmark::DoNotOptimize(root->childCount());
        root->release();
    }
    reportThroughput(state, doc);
}
BENCHMARK(BM_ourParserFromUtf16)->Arg(0)->Arg(1);

void BM_pugixml(benchmark::State& state) {
    const Document& doc = documents()[static_cast<size_t>(state.range(0))];
    if (!checkBothParsersAgree(state, doc))
        return;
    for (auto _ : state) {
        pugi::xml_document document;
        pugi::xml_parse_result result = document.load_buffer(
            doc.bytes.data(), doc.bytes.size(), pugi::parse_default, pugi::encoding_utf8);
        benchmark::DoNotOptimize(result.status);
    }
    reportThroughput(state, doc);
}
BENCHMARK(BM_pugixml)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
