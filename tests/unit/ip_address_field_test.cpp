#include "ui/controls/ip_address_field.h"

#include <gtest/gtest.h>

#include <string>

namespace netquill {
namespace {

TEST(IpAddressField, WritingATextShowsTheAddressItReadsAsOrBlanksTheField) {
    struct Case {
        std::string written;
        std::string read;  // empty: the field is blank
    };
    const Case cases[] = {
        {"192.168.16.5", "192.168.16.5"},
        {"192.168.16.", "192.168.16.0"},  // an empty piece reads as 0
        {"10.0.0.1.7", "10.0.0.1"},       // the last piece takes the further dots along
        {"1.2.3.4.300", "1.2.3.4"},       // ... and is read only up to its first dot
        {"1.2.3.300.4", ""},
        {"300.1.1.1", ""},
        {"256.0.0.1", ""},
        {"1.2.3", ""},  // fewer than three dots
        {"", ""},
        {"   ", ""},
        {"255.255.255.255", "255.255.255.255"},
        {"0.0.0.0", "0.0.0.0"},  // all zero is an address, not blank
        {"...", "0.0.0.0"},
        {"1..3.4", "1.0.3.4"},
        {" \t10.1.2.3 \r\n", "10.1.2.3"},   // white space around the text
        {" 10 . 1 .\t2 . 3 ", "10.1.2.3"},  // and around the pieces
        {"+1.+2.+3.+4", "1.2.3.4"},
        {"-0.0.0.1", "0.0.0.1"},
        {"-1.0.0.1", ""},
        {"1.2.3.-1", ""},
        {"010.001.000.009", "10.1.0.9"},  // decimal, not octal; read without leading zeros
        {"0x1f.1.1.1", "0.1.1.1"},
        {"12abc.1x.2.3", "12.1.2.3"},  // digits up to the first other character
        {"1 2.3.4.5", "1.3.4.5"},
        {"a.b.c.d", "0.0.0.0"},
        {"+.-.+.-", "0.0.0.0"},
        {"4294967296.1.1.1", ""},  // beyond the int range stays out of range
        {"99999999999999999999.1.1.1", ""},
        {"１９２.１６８.１.１", "192.168.1.1"},  // full-width digits read as ASCII ones
        {"１９２．１６８．１．１", ""},          // a full-width point does not cut
        {"\xA1\xA1"
         "7.1.1.1",
         "7.1.1.1"},  // ideographic space is white space
        {"本地.连接.1.2", "0.0.1.2"},
        {"1.2.3.\x81", "1.2.3.0"},  // a lone lead byte at the end
        {std::string("1.2\0.3.4", 8), "1.2.3.4"},
    };
    for (const Case& c : cases) {
        IpAddressField field;
        field.SetAddress("9.9.9.9");
        field.SetAddress(c.written);
        EXPECT_EQ(field.Address(), c.read) << "written: " << c.written;
        EXPECT_EQ(field.IsBlank(), c.read.empty()) << "written: " << c.written;
    }
}

TEST(IpAddressField, PartlyFilledFieldReadsZeroForItsEmptyParts) {
    IpAddressField field;
    field.SetPartByUser(0, 192);
    field.SetPartByUser(2, 7);
    EXPECT_EQ(field.Address(), "192.0.7.0");
    field.SetPartByUser(0, std::nullopt);
    field.SetPartByUser(2, std::nullopt);
    EXPECT_TRUE(field.IsBlank());
    EXPECT_EQ(field.Address(), "");
}

TEST(IpAddressField, UserInputIsIgnoredWhenDisabledOrOutsideTheParts) {
    IpAddressField field;
    field.SetPartByUser(4, 1);
    EXPECT_TRUE(field.IsBlank());
    field.SetEnabled(false);
    field.SetPartByUser(0, 1);
    EXPECT_TRUE(field.IsBlank());
    field.SetAddress("1.2.3.4");  // the program still writes it
    EXPECT_EQ(field.Address(), "1.2.3.4");
}

}  // namespace
}  // namespace netquill
