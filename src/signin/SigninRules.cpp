#include "SigninRules.h"

#include <windows.h>

#include <cstdio>

#include "../service/FixedText.h"

namespace tk {

namespace {

std::string Upper(std::string text) {
    if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && Upper(a) == Upper(b);
}

ComboShow ChooseComboShow(const std::vector<std::string>* list, const std::string& value) {
    if (value.empty()) {
        if (list != nullptr && !list->empty()) return {ComboShow::Kind::Select, 0};
        return {ComboShow::Kind::Nothing, -1};
    }
    if (list != nullptr) {
        for (size_t i = 0; i < list->size(); ++i)
            if (EqualIgnoringCase((*list)[i], value)) return {ComboShow::Kind::Select, static_cast<int>(i)};
    }
    return {ComboShow::Kind::Text, -1};
}

bool FormatSigninTitle(char* buffer, size_t size, const char* format, const char* version) {
    if (buffer == nullptr || size == 0) return false;
    if (format == nullptr) {
        buffer[0] = '\0';
        return false;
    }
    int written = std::snprintf(buffer, size, format, version != nullptr ? version : "");
    if (written < 0) {
        buffer[0] = '\0';
        return false;
    }
    if (static_cast<size_t>(written) < size) return true;
    EndOnWholeCharacter(buffer, size);
    return false;
}

}  // namespace tk
