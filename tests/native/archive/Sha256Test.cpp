#include "archive/Sha256.h"

#include <gtest/gtest.h>

#include <algorithm>

using zembra::Sha256;

namespace {

// FIPS 180-4 examples and the NIST long-message vector.
TEST(Sha256, MatchesTheStandardVectors) {
    struct Row {
        const char* name;
        std::string message;
        const char* digest;
    } rows[] = {
        {"empty", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"448 bits, padding needs a second block", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"896 bits",
         "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {"one million a", std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {"55 bytes, the longest one-block message (coreutils sha256sum)", std::string(55, 'x'),
         "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.digest, zembra::Sha256Hex(r.message.data(), r.message.size())) << r.name;
    }
}

// Feeding in pieces of any size gives the digest of the whole, at every block boundary.
TEST(Sha256, PiecesGiveTheDigestOfTheWhole) {
    std::string data(300, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + 3);
    for (size_t length : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 119u, 120u, 128u, 300u}) {
        const std::string whole = zembra::Sha256Hex(data.data(), length);
        for (size_t piece : {1u, 3u, 63u, 64u, 65u}) {
            Sha256 hash;
            for (size_t at = 0; at < length; at += piece) hash.Update(data.data() + at, std::min(piece, length - at));
            EXPECT_EQ(whole, hash.FinalHex()) << length << " bytes in pieces of " << piece;
        }
    }
}

TEST(Sha256, FinalStartsAfresh) {
    Sha256 hash;
    hash.Update("abc", 3);
    hash.FinalHex();
    hash.Update("abc", 3);
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", hash.FinalHex());
}

}  // namespace
