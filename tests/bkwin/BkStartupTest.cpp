// The framework's start-up settings hold in every test program from its start, whichever
// suite runs first: white space in element texts is kept as written.
#include "bkwin/BkText.h"

#include <tinyxml.h>

#include <gtest/gtest.h>

TEST(BkStartupTest, WhiteSpaceInElementTextsIsKeptAsWritten) {
    TiXmlDocument document;
    document.Parse("<text>  two  spaces\n and a line </text>");
    ASSERT_FALSE(document.Error());
    CBkStatic text;
    text.LoadXml(*document.RootElement());
    EXPECT_EQ(text.text, L"  two  spaces\n and a line ");
}
