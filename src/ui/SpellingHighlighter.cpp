// SPDX-License-Identifier: MIT
#include "ui/SpellingHighlighter.h"

#include <QTextBlock>
#include <QTextCharFormat>

#include <string_view>

namespace vste::ui {

namespace {

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

SpellingHighlighter::SpellingHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    setObjectName(QStringLiteral("SpellingHighlighter"));
}

SpellingHighlighter::~SpellingHighlighter() = default;

void SpellingHighlighter::setChecker(const WordChecker* checker) {
    m_checker = checker;
    rehighlight();
}

void SpellingHighlighter::highlightBlock(const QString& text) {
    if (!m_checker)
        return;
    const std::u16string_view view = View(text);
    m_splitter.split(view, m_words);
    QTextCharFormat unknown;
    unknown.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    unknown.setUnderlineColor(Qt::red);
    for (const WordSpan& w : m_words)
        if (!m_checker->isKnown(view.substr(w.begin, w.length)))
            setFormat(static_cast<int>(w.begin), static_cast<int>(w.length), unknown);
}

std::optional<WordSpan> SpellingHighlighter::unknownWordAt(const QTextBlock& block,
                                                           int positionInBlock) {
    if (!m_checker || !block.isValid() || positionInBlock < 0)
        return std::nullopt;
    const QString text = block.text();
    const std::u16string_view view = View(text);
    m_splitter.split(view, m_words);
    const auto at = static_cast<std::size_t>(positionInBlock);
    for (const WordSpan& w : m_words)
        if (w.begin <= at && at <= w.begin + w.length &&
            !m_checker->isKnown(view.substr(w.begin, w.length)))
            return w;
    return std::nullopt;
}

} // namespace vste::ui
