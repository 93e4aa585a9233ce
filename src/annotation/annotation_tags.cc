#include "annotation/annotation_tags.h"

#include "annotation/annotation_text.h"

namespace ravelin::annotation {

namespace {

constexpr std::size_t kMaxAnnotatorLength = 200;
constexpr std::string_view kAnnotatorTag = "Annotator";

}  // namespace

std::string CheckAnnotator(std::string_view value) {
    if (value.find_first_of("\"\\\r\n") != std::string_view::npos) {
        return "The annotator may not hold double quotes, backslashes or line breaks.";
    }
    if (value.size() > kMaxAnnotatorLength) {
        return "The annotator may hold at most 200 characters.";
    }
    return {};
}

std::optional<std::string> AnnotatorValue(std::string_view text) {
    return TagValue(text, kAnnotatorTag);
}

std::optional<std::string> TagValue(std::string_view text, std::string_view name) {
    const std::string prefix = "[" + std::string(name) + " ";
    const std::size_t movetext = MovetextBegin(text);
    for (std::size_t i = 0; i < movetext;) {
        const std::size_t lineEnd = text.find('\n', i);
        const std::size_t next = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
        const std::string_view line = text.substr(i, next - i);
        if (line.starts_with(prefix)) {
            const std::size_t open = line.find('"');
            const std::size_t close = line.rfind('"');
            if (open != std::string_view::npos && close > open) {
                return std::string(line.substr(open + 1, close - open - 1));
            }
            return std::string();
        }
        i = next;
    }
    return std::nullopt;
}

void SetAnnotator(std::string& text, std::string_view value) {
    SetTagValue(text, kAnnotatorTag, value);
}

void SetTagValue(std::string& text, std::string_view name, std::string_view value, bool keepEmpty) {
    const std::string prefix = "[" + std::string(name) + " ";
    const std::size_t movetext = MovetextBegin(text);
    std::size_t at = std::string::npos;
    std::size_t afterLastTag = 0;
    for (std::size_t i = 0; i < movetext;) {
        const std::size_t lineEnd = text.find('\n', i);
        const std::size_t next = lineEnd == std::string::npos ? text.size() : lineEnd + 1;
        const std::string_view line = std::string_view(text).substr(i, next - i);
        if (line.starts_with(prefix)) {
            text.erase(i, next - i);
            at = i;
            break;
        }
        if (line.starts_with('[')) {
            afterLastTag = next;
        }
        i = next;
    }
    if (value.empty() && !keepEmpty) {
        return;
    }
    if (at == std::string::npos) {
        at = afterLastTag;
        // A last tag line without its line end gets one first.
        if (at > 0 && text[at - 1] != '\n') {
            text.insert(at, "\r\n");
            at += 2;
        }
    }
    text.insert(at, prefix + "\"" + std::string(value) + "\"]\r\n");
}

}  // namespace ravelin::annotation
