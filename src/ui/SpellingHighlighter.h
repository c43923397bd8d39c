// SPDX-License-Identifier: MIT
// Red wavy underlines under the words of a text box that the chosen dictionary does not know.
// Only the words the checks would look at are asked about (WordSplitter leaves out placeholders,
// abbreviations and words with digits), and the dictionary's own cache answers repeated words.
#pragma once

#include <QSyntaxHighlighter>

#include <optional>
#include <vector>

#include "checks/Wording.h"

class QTextBlock;
class QTextDocument;

namespace vste::ui {

class SpellingHighlighter final : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit SpellingHighlighter(QTextDocument* document);
    ~SpellingHighlighter() override;

    // The dictionary to check with; null underlines nothing. It must outlive its use here.
    void setChecker(const WordChecker* checker);
    const WordChecker* checker() const { return m_checker; }
    // The unknown word of `block` that position `positionInBlock` touches (in it or at either
    // edge), if any.
    std::optional<WordSpan> unknownWordAt(const QTextBlock& block, int positionInBlock);

protected:
    void highlightBlock(const QString& text) override;

private:
    const WordChecker* m_checker = nullptr;
    WordSplitter m_splitter;
    std::vector<WordSpan> m_words;
};

} // namespace vste::ui
