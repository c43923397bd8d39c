// SPDX-License-Identifier: MIT
#include "translation/Spelling.h"

#include <hunspell/hunspell.hxx>
#include <unicode/ucnv.h>

#include <filesystem>

#include "core/FileIO.h"
#include "core/StringUtils.h"

namespace vste {

struct HunspellChecker::Codec {
    UConverter* converter = nullptr;
    ~Codec() { ucnv_close(converter); }
};

HunspellChecker::HunspellChecker(const std::string& folder, const std::string& name) {
    const std::filesystem::path base = PathFromUtf8(folder) / PathFromUtf8(name);
    std::string aff = Utf8Name(base) + ".aff";
    std::string dic = Utf8Name(base) + ".dic";
    std::error_code error;
    if (name.empty() || name.find('/') != std::string::npos ||
        !std::filesystem::is_regular_file(PathFromUtf8(aff), error) ||
        !std::filesystem::is_regular_file(PathFromUtf8(dic), error))
        throw DictionaryMissing("no spelling dictionary \"" + name + "\" in " + folder +
                                " (it needs " + name + ".aff and " + name + ".dic)");
#ifdef _WIN32
    // Hunspell reads a name given with the long-path prefix as UTF-8, any other in the ANSI code
    // page.
    aff = "\\\\?\\" + Utf8Name(std::filesystem::absolute(PathFromUtf8(aff)).make_preferred());
    dic = "\\\\?\\" + Utf8Name(std::filesystem::absolute(PathFromUtf8(dic)).make_preferred());
#endif
    m_hunspell = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    const std::string encoding = m_hunspell->get_dict_encoding();
    if (encoding != "UTF-8" && encoding != "utf-8") {
        UErrorCode status = U_ZERO_ERROR;
        auto codec = std::make_unique<Codec>();
        codec->converter = ucnv_open(encoding.c_str(), &status);
        if (U_FAILURE(status))
            throw DictionaryMissing("the spelling dictionary \"" + name + "\" is in " + encoding +
                                    ", an encoding this program does not know");
        ucnv_setFromUCallBack(codec->converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr,
                              nullptr, &status);
        m_codec = std::move(codec);
    }
}

HunspellChecker::~HunspellChecker() = default;

void HunspellChecker::accept(std::u16string word) {
    if (const auto it = m_known.find(word); it != m_known.end())
        m_known.erase(it);
    m_accepted.insert(std::move(word));
}

bool HunspellChecker::encode(std::u16string_view word, std::string& out) const {
    out.clear();
    if (!m_codec) {
        out = Utf16ToUtf8(word);
        return true;
    }
    UErrorCode status = U_ZERO_ERROR;
    out.resize(word.size() * 4 + 4);
    const int32_t n = ucnv_fromUChars(
        m_codec->converter, out.data(), static_cast<int32_t>(out.size()),
        reinterpret_cast<const UChar*>(word.data()), static_cast<int32_t>(word.size()), &status);
    ucnv_reset(m_codec->converter);
    if (U_FAILURE(status))
        return false; // a character the dictionary's encoding lacks
    out.resize(static_cast<std::size_t>(n));
    return true;
}

std::u16string HunspellChecker::decode(std::string_view text) const {
    if (!m_codec)
        return Utf8ToUtf16(text);
    UErrorCode status = U_ZERO_ERROR;
    std::u16string out(text.size() * 2 + 2, u'\0');
    const int32_t n = ucnv_toUChars(m_codec->converter, reinterpret_cast<UChar*>(out.data()),
                                    static_cast<int32_t>(out.size()), text.data(),
                                    static_cast<int32_t>(text.size()), &status);
    ucnv_reset(m_codec->converter);
    out.resize(U_FAILURE(status) ? 0 : static_cast<std::size_t>(n));
    return out;
}

bool HunspellChecker::isKnown(std::u16string_view word) const {
    if (const auto it = m_known.find(word); it != m_known.end())
        return it->second;
    const bool known = m_accepted.find(word) != m_accepted.end() ||
                       (encode(word, m_scratch) && m_hunspell->spell(m_scratch));
    m_known.emplace(std::u16string(word), known);
    return known;
}

std::vector<std::u16string> HunspellChecker::suggestions(std::u16string_view word,
                                                         std::size_t most) const {
    auto it = m_suggested.find(word);
    if (it == m_suggested.end()) {
        std::vector<std::u16string> all;
        if (encode(word, m_scratch))
            for (const std::string& s : m_hunspell->suggest(m_scratch))
                if (std::u16string wide = decode(s); !wide.empty())
                    all.push_back(std::move(wide));
        it = m_suggested.emplace(std::u16string(word), std::move(all)).first;
    }
    return {it->second.begin(), it->second.begin() + std::min(most, it->second.size())};
}

std::vector<std::u16string> ReadWordList(const std::string& fileName) {
    const std::vector<std::uint8_t> data = LoadFile(fileName);
    std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<std::u16string> words;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (!line.empty())
            words.push_back(Utf8ToUtf16(line));
    }
    return words;
}

} // namespace vste
