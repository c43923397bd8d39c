// SPDX-License-Identifier: MIT
// The spelling and glossary rules, and the word splitting they share with the window.
#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>

#include "checks/Placeholders.h"
#include "checks/Rule.h"
#include "checks/Wording.h"
#include "core/StringUtils.h"

namespace vste {

struct WordSplitter::Impl {
    std::unique_ptr<icu::BreakIterator> words;
};

WordSplitter::WordSplitter() : m_impl(std::make_unique<Impl>()) {
    UErrorCode status = U_ZERO_ERROR;
    m_impl->words.reset(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        m_impl->words.reset();
}

WordSplitter::~WordSplitter() = default;

namespace {

// Whether the word deserves a dictionary's look (see WordSplitter).
bool Spellable(std::u16string_view word) {
    std::size_t letters = 0;
    bool lower = false;
    for (std::size_t i = 0; i < word.size();) {
        char32_t c = word[i++];
        if (c >= 0xD800 && c < 0xDC00 && i < word.size() && word[i] >= 0xDC00 && word[i] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (word[i++] - 0xDC00);
        if (c == u'_' || u_isdigit(static_cast<UChar32>(c)))
            return false;
        if (u_isalpha(static_cast<UChar32>(c)))
            ++letters;
        if (u_islower(static_cast<UChar32>(c)))
            lower = true;
    }
    return letters > 1 && lower;
}

} // namespace

void WordSplitter::split(std::u16string_view text, std::vector<WordSpan>& out) {
    out.clear();
    if (!m_impl->words || text.empty())
        return;
    // Placeholders such as %ls would otherwise leave the word "ls".
    std::vector<std::pair<std::size_t, std::size_t>> masked;
    if (text.find(u'%') != std::u16string_view::npos) {
        std::size_t from = 0;
        for (const Placeholder& p : FindPlaceholders(text)) {
            const std::size_t at = text.find(p.text, from);
            if (at == std::u16string_view::npos)
                continue;
            masked.emplace_back(at, at + p.text.size());
            from = at + p.text.size();
        }
    }
    UErrorCode status = U_ZERO_ERROR;
    UText* ut = utext_openUChars(nullptr, reinterpret_cast<const UChar*>(text.data()),
                                 static_cast<int64_t>(text.size()), &status);
    if (U_FAILURE(status))
        return;
    icu::BreakIterator& it = *m_impl->words;
    it.setText(ut, status);
    std::int32_t start = it.first();
    for (std::int32_t end = it.next(); end != icu::BreakIterator::DONE;
         start = end, end = it.next()) {
        if (it.getRuleStatus() == UBRK_WORD_NONE)
            continue;
        const auto b = static_cast<std::size_t>(start);
        const auto e = static_cast<std::size_t>(end);
        bool inPlaceholder = false;
        for (const auto& [mb, me] : masked)
            inPlaceholder = inPlaceholder || (b < me && mb < e);
        if (!inPlaceholder && Spellable(text.substr(b, e - b)))
            out.push_back({b, e - b});
    }
    utext_close(ut);
}

std::u16string FoldCase(std::u16string_view text) {
    icu::UnicodeString s(false, reinterpret_cast<const UChar*>(text.data()),
                         static_cast<int32_t>(text.size()));
    s.foldCase();
    return std::u16string(reinterpret_cast<const char16_t*>(s.getBuffer()),
                          static_cast<std::size_t>(s.length()));
}

namespace {

bool IsWordCharacterAt(std::u16string_view text, std::size_t i, bool before) {
    if (before ? i == 0 : i >= text.size())
        return false;
    UChar32 c = 0;
    if (before)
        U16_PREV(text.data(), 0, i, c);
    else
        U16_NEXT(text.data(), i, text.size(), c);
    return u_isalnum(c) || u_hasBinaryProperty(c, UCHAR_DIACRITIC);
}

} // namespace

bool ContainsWholeWord(std::u16string_view folded, std::u16string_view term) {
    if (term.empty())
        return false;
    for (std::size_t at = folded.find(term); at != std::u16string_view::npos;
         at = folded.find(term, at + 1)) {
        if (!IsWordCharacterAt(folded, at, true) &&
            !IsWordCharacterAt(folded, at + term.size(), false))
            return true;
    }
    return false;
}

namespace {

std::string Quoted(std::u16string_view text) {
    std::string quoted(1, '"');
    quoted += Utf16ToUtf8(std::u16string(text));
    quoted += '"';
    return quoted;
}

class SpellingRule : public Rule {
public:
    SpellingRule() : Rule("spelling", Severity::Warning) {}
    const char* missingExtra(const CheckExtras& extras) const override {
        return extras.spelling == nullptr ? "a dictionary" : nullptr;
    }

    void check(const StringCheck& s, const CheckSetup& setup,
               const FindingSink& sink) const override {
        const WordChecker& dictionary = *setup.extras->spelling;
        for (std::size_t k = 0; k < s.text.Values.size(); ++k) {
            const std::u16string& value = s.text.Values[k].Value;
            m_splitter.split(value, m_words);
            for (const WordSpan& w : m_words) {
                const std::u16string_view word(value.data() + w.begin, w.length);
                if (dictionary.isKnown(word))
                    continue;
                Message message(MessageId::UnknownWord, {Quoted(word)});
                const auto better = dictionary.suggestions(word, 3);
                if (!better.empty()) {
                    Message list(MessageId::List);
                    for (const std::u16string& suggestion : better)
                        list.args.push_back(Quoted(suggestion));
                    message =
                        Message(MessageId::WithSuggestions, {std::move(message), std::move(list)});
                }
                report(sink, s, static_cast<std::uint32_t>(k), Field::Value, std::move(message));
            }
        }
    }

private:
    mutable WordSplitter m_splitter;
    mutable std::vector<WordSpan> m_words;
};

class GlossaryRule : public Rule {
public:
    GlossaryRule() : Rule("glossary", Severity::Warning) {}
    bool needsReference() const override { return true; }
    const char* missingExtra(const CheckExtras& extras) const override {
        return extras.glossary == nullptr ? "a glossary" : nullptr;
    }

    void prepare(const CheckSetup& setup) override {
        m_terms.clear();
        for (const GlossaryTerm& t : *setup.extras->glossary)
            if (!t.term.empty())
                m_terms.push_back({FoldCase(t.term), FoldCase(t.translation), &t});
    }

    void check(const StringCheck& s, const CheckSetup&, const FindingSink& sink) const override {
        if (s.reference == nullptr)
            return;
        const std::size_t n = std::min(s.text.Values.size(), s.reference->Values.size());
        for (std::size_t k = 0; k < n; ++k) {
            const std::u16string reference = FoldCase(s.reference->Values[k].Value);
            std::u16string value;
            bool folded = false;
            for (const Term& t : m_terms) {
                if (!ContainsWholeWord(reference, t.term))
                    continue;
                if (!folded)
                    value = FoldCase(s.text.Values[k].Value);
                folded = true;
                if (value.find(t.translation) == std::u16string::npos)
                    report(sink, s, static_cast<std::uint32_t>(k), Field::Value,
                           Message(MessageId::GlossaryTermMissing,
                                   {Quoted(t.source->term), Quoted(t.source->translation)}));
            }
        }
    }

private:
    struct Term {
        std::u16string term;
        std::u16string translation;
        const GlossaryTerm* source;
    };
    std::vector<Term> m_terms;
};

} // namespace

std::unique_ptr<Rule> MakeSpellingRule() {
    return std::make_unique<SpellingRule>();
}
std::unique_ptr<Rule> MakeGlossaryRule() {
    return std::make_unique<GlossaryRule>();
}

} // namespace vste
