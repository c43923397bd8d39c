// SPDX-License-Identifier: MIT
// What the engine tells the user (a check's finding, a refused save, an unreadable file) as a
// stable id with arguments, so that each program words it in its own language: the command line
// prints the English text below, the window its own translation of the same id. An argument is
// verbatim text (a name, a number, the system's reason) or a message of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vste {

// Every message with its English wording; %1..%9 stand for the arguments in order.
#define VSTE_MESSAGES(X)                                                                           \
    /* Reading and opening files */                                                                \
    X(StreamReadError, "Stream read error")                                                        \
    X(NotStrText, "The file is not STR text: %1")                                                  \
    X(NotStrTextCsfSignature,                                                                      \
      "it begins with \" FSC\", the signature of a compiled CSF table; open it as CSF")            \
    X(NotStrTextZeroByte,                                                                          \
      "it holds a zero byte (at offset %1), as binary files do and text does not")                 \
    X(CannotOpenFile, "Cannot open file \"%1\". %2")                                               \
    X(CannotCreateFile, "Cannot create file \"%1\". %2")                                           \
    X(NotRegularFile, "It is %1, not a regular file.")                                             \
    X(KindFifo, "a FIFO")                                                                          \
    X(KindSocket, "a socket")                                                                      \
    X(KindDevice, "a device")                                                                      \
    X(KindSpecialFile, "a special file")                                                           \
    /* The system's reason: %1 the error number, %2 the system's own text */                       \
    X(SystemError, "%2")                                                                           \
    X(FileInUse, "The file is in use by another program.")                                         \
    X(FileReadOnly, "The file is read-only.")                                                      \
    /* Saving */                                                                                   \
    X(StrCannotSave, "The string \"%1\" (number %2) cannot be saved as STR: %3")                   \
    X(StrExtraNotSpeech, "its extra value \"%1\" holds characters other than letters, digits "     \
                         "and _, which STR cannot carry")                                          \
    X(StrValueHoldsNul, "its value holds U+0000, and a file holding a zero byte is not STR text")  \
    X(SaveAsStrNeedsCsf, "Only a CSF or STR document can be saved as STR text")                    \
    X(WestwoodTooBig,                                                                              \
      "The string '%1' does not fit: a Westwood string file cannot exceed 65536 bytes")            \
    X(NameNotInteger, "'%1' is not a valid integer value")                                         \
    X(NameNotNumber, "The string \"%1\" cannot be saved: its name must be a number from 0 to %2")  \
    X(TooBigFor32BitOffsets,                                                                       \
      "The string \"%1\" cannot be saved: the file would be too big for 32-bit offsets")           \
    X(TooBigFor16BitOffsets,                                                                       \
      "The string \"%1\" cannot be saved: the file would be too big for 16-bit offsets")           \
    X(TooManyFor16BitOffsets,                                                                      \
      "The document cannot be saved: %1 strings are too many for 16-bit offsets")                  \
    X(ValueTooLongFor16BitSize, "The string \"%1\" cannot be saved: its value of %2 characters "   \
                                "is too long for a 16-bit size")                                   \
    X(Dune2000NameTooLong, "The name of the string '%1' is too long: a Dune 2000 name holds at "   \
                           "most 65534 bytes")                                                     \
    X(Dune2000ValueTooLong, "The value of the string '%1' is too long: a Dune 2000 value holds "   \
                            "at most 65534 bytes")                                                 \
    /* Names an STR label line cannot carry */                                                     \
    X(StrNameEmpty, "the name is empty")                                                           \
    X(StrNameLineEnd, "the name holds a line end")                                                 \
    X(StrNameNul, "the name holds a NUL character")                                                \
    X(StrNameLeadingSpace, "the name begins with a space")                                         \
    X(StrNameLeadingTab, "the name begins with a tab")                                             \
    X(StrNameTrailingSpace, "the name ends with a space")                                          \
    X(StrNameTrailingTab, "the name ends with a tab")                                              \
    X(StrNameCommentMark, "the name holds //")                                                     \
    X(StrNameEndKeyword, "the name is END")                                                        \
    X(StrNameLeadingQuote, "the name begins with a quotation mark")                                \
    X(StrNameReadsAsBlank,                                                                         \
      "the name reads as a blank line (it has no letter, digit or any of \"$&'+-./:?[]_)")         \
    X(StrNameReadsAsComment, "the name reads as a comment (leaving out all but letters, digits "   \
                             "and \"$&'+-./:?[]_, it begins with //)")                             \
    /* The files of each format, as the size findings name them */                                 \
    X(FileCsf, "a CSF file")                                                                       \
    X(FileStr, "an STR file")                                                                      \
    X(FileEmpireAtWar, "an Empire at War file")                                                    \
    X(FileDune2000, "a Dune 2000 file")                                                            \
    X(FileWestwood, "a Westwood string file")                                                      \
    X(FileLiquid, "a Liquid text file")                                                            \
    X(FileBladeRunner, "a Blade Runner file")                                                      \
    X(FileMalcolm, "a Malcolm's Revenge file")                                                     \
    /* Findings of the checks */                                                                   \
    X(SameName, "string %1 has the same name")                                                     \
    X(SameNameIgnoringCase, "string %1 (%2) has the same name ignoring case")                      \
    X(DuplicateGameSeesOne, "%1; the game sees only one of them")                                  \
    X(DuplicateLookUpFindsOne, "%1; a look-up by key finds only one of them")                      \
    X(NotStrLabel, "not a valid STR label: %1")                                                    \
    X(KeyNotCrc, "the key %1 is not the CRC-32 of the name (%2): the game does not find the "      \
                 "string by its name")                                                             \
    X(NameTooLong, "the name is %1 bytes long; %2 holds names of at most %3 bytes")                \
    X(TooManyStrings,                                                                              \
      "the table has %1 strings; %2 holds at most %3, and this is the first one beyond")           \
    X(FileTooBig,                                                                                  \
      "with this string the file reaches %1 bytes; the offsets of %2 reach at most %3 bytes")      \
    X(ValueTooLong, "the value is %1 characters long; %2 holds values of at most %3")              \
    X(ExtraTooLong, "the extra value is %1 bytes long; %2 holds extra values of at most %3 bytes") \
    X(NulEndsSingleByteValue, "U+0000 ends the value when it is written as single bytes: the "     \
                              "text from there on is lost")                                        \
    X(NulInStrText,                                                                                \
      "U+0000 cannot be written in STR text: a file holding a zero byte is not read as text")      \
    X(CodePageCannotHold, "code page %1 cannot hold %2")                                           \
    X(CharacterDropped, "%1 (dropped)")                                                            \
    X(CharacterWrittenAs, "%1 (written as '%2')")                                                  \
    X(MoreCharacters, "and %1 more characters")                                                    \
    X(ByteEndsStrFile, "%1 is the byte 0xFF in code page %2, which the games' STR reader takes "   \
                       "for the end of the file: every string after this one is lost")             \
    X(StrLineTooLong, "the value line is %1 bytes long; the games' STR reader keeps %2 bytes of "  \
                      "a line and garbles the rest")                                               \
    X(ExtraEndsInDigit, "the extra value %1 ends in a digit, which the games' STR reader changes") \
    X(ExtraHoldsOtherCharacters, "the extra value %1 holds characters other than letters, "        \
                                 "digits and '_', which the games' STR reader changes")            \
    X(ValueEmpty, "the value is empty")                                                            \
    X(ValueBeginsWithBlanks, "the value begins with spaces or tabs")                               \
    X(ValueEndsWithBlanks, "the value ends with spaces or tabs")                                   \
    X(ValueBeginsAndEndsWithBlanks, "the value begins and ends with spaces or tabs")               \
    X(UnlikeReference, "%1, unlike the reference's")                                               \
    X(PlaceholdersDiffer, "the placeholders %1 do not match the reference's %2 (plain ones are "   \
                          "taken in order and must match one for one)")                            \
    X(NoPlaceholders, "none")                                                                      \
    X(LineBreaksDiffer, "the value has %1 line breaks, the reference's %2")                        \
    X(SameAsReference, "the value is the same as the reference's")                                 \
    X(NotInReference, "the reference has no string of this name")                                  \
    X(OnlyInReference, "only the reference has a string of this name")                             \
    X(UnknownWord, "unknown word %1")                                                              \
    X(WithSuggestions, "%1; suggestions: %2")                                                      \
    X(GlossaryTermMissing, "the reference says %1, which the glossary translates as %2; the "      \
                           "value lacks it")

enum class MessageId {
    Verbatim, // the text as given: a name, a file name, an English text of another library
    List,     // the arguments one after another, separated by ", "
#define VSTE_MESSAGE_ID(id, english) id,
    VSTE_MESSAGES(VSTE_MESSAGE_ID)
#undef VSTE_MESSAGE_ID
};

// The ids that have an English pattern, in declaration order.
const std::vector<MessageId>& WordedMessageIds();
// The stable name of an id ("StreamReadError"), for tests and diagnostics.
std::string_view MessageIdName(MessageId id);
// The English pattern of an id, with %1..%9 for its arguments; empty for Verbatim and List.
std::string_view EnglishPattern(MessageId id);
// How many arguments a worded id takes: the highest %n of its pattern.
int ArgumentCount(MessageId id);

struct Message {
    MessageId id = MessageId::Verbatim;
    std::string text;          // Verbatim only: the text itself (UTF-8)
    std::vector<Message> args; // %1, %2, ... in order

    Message() = default;
    Message(std::string verbatim) : text(std::move(verbatim)) {}
    Message(const char* verbatim) : text(verbatim) {}
    Message(MessageId messageId, std::vector<Message> arguments = {})
        : id(messageId), args(std::move(arguments)) {}

    bool empty() const { return id == MessageId::Verbatim && text.empty(); }
    bool operator==(const Message&) const = default;
};

// A number as a message argument.
Message Number(std::uint64_t value);
// The system's reason for the error number `err`, worded as strerror() does, ending with '.'.
Message SystemReason(int err);
// The reason for a Windows error code (GetLastError()): the common ones as the same message as
// their C library counterpart, a file held open by another program and a read-only file in words
// of their own, any other in the system's own words (`systemText`, already UTF-8).
Message WindowsReason(unsigned long code, std::string systemText);

// Replaces %1..%9 of `pattern` by `args` in one pass ("%%" stays as it is, like any other %).
std::string FillPattern(std::string_view pattern, const std::vector<std::string>& args);
// The message in English: what the command line prints and DocumentError::what() holds.
std::string EnglishText(const Message& message);

} // namespace vste
