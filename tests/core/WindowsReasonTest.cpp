// SPDX-License-Identifier: MIT
// How a Windows error code is worded: the common codes as the C library's reason, so that both
// programs word them as on Linux; a file held open elsewhere and a read-only file in words of
// their own; any other code in the system's own words, or its number when it has none.
#include <gtest/gtest.h>

#include <cerrno>

#include "core/Message.h"

using namespace vste;

TEST(WindowsReason, CommonCodesReadAsTheirCLibraryCounterparts) {
    EXPECT_EQ(WindowsReason(2, "ignored"), SystemReason(ENOENT));
    EXPECT_EQ(WindowsReason(3, ""), SystemReason(ENOENT));
    EXPECT_EQ(WindowsReason(5, "Access is denied."), SystemReason(EACCES));
    EXPECT_EQ(WindowsReason(112, ""), SystemReason(ENOSPC));
}

TEST(WindowsReason, AFileInUseOrReadOnlyHasWordsOfItsOwn) {
    for (unsigned long code : {32ul, 33ul, 1175ul, 1224ul})
        EXPECT_EQ(EnglishText(WindowsReason(code, "")), "The file is in use by another program.");
    EXPECT_EQ(EnglishText(WindowsReason(19, "")), "The file is read-only.");
}

TEST(WindowsReason, OtherCodesKeepTheSystemsWordsWithoutTheLineEnd) {
    EXPECT_EQ(EnglishText(WindowsReason(1176, "Unable to move the replacement file.\r\n")),
              "Unable to move the replacement file.");
    EXPECT_EQ(EnglishText(WindowsReason(4242, "")), "Windows error 4242.");
    const Message inFile(MessageId::CannotCreateFile, {"t.csf", WindowsReason(32, "")});
    EXPECT_EQ(EnglishText(inFile),
              "Cannot create file \"t.csf\". The file is in use by another program.");
}
