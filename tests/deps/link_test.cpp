// zlib and Crypto++ as the program uses them: the one-call uncompress, and
// Integer arithmetic modulo a prime.

#include <cryptopp/integer.h>
#include <cryptopp/modarith.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(DependenciesTest, ZlibRoundTripsAndRejectsDamage) {
  const std::string text(1000, 'q');
  uLongf packedSize = compressBound(static_cast<uLong>(text.size()));
  std::vector<Bytef> packed(packedSize);
  ASSERT_EQ(compress(packed.data(), &packedSize,
                     reinterpret_cast<const Bytef*>(text.data()),
                     static_cast<uLong>(text.size())),
            Z_OK);

  std::vector<Bytef> unpacked(text.size());
  uLongf unpackedSize = static_cast<uLongf>(unpacked.size());
  ASSERT_EQ(
      uncompress(unpacked.data(), &unpackedSize, packed.data(), packedSize),
      Z_OK);
  EXPECT_EQ(std::string(unpacked.begin(), unpacked.end()), text);

  packed[packedSize - 1] ^= 0xFF;  // the Adler-32 check value
  unpackedSize = static_cast<uLongf>(unpacked.size());
  EXPECT_EQ(
      uncompress(unpacked.data(), &unpackedSize, packed.data(), packedSize),
      Z_DATA_ERROR);
}

TEST(DependenciesTest, CryptoppIntegerArithmetic) {
  // p = 2^127 - 1, a prime; expected = a * b mod p, worked out elsewhere.
  const CryptoPP::Integer p("170141183460469231731687303715884105727");
  const CryptoPP::Integer a("123456789012345678901234567890");
  const CryptoPP::Integer b("987654321098765432109876543210");
  const CryptoPP::Integer expected("144875469711726358240874201207950817872");
  EXPECT_EQ(a.Times(b).Modulo(p), expected);

  const unsigned char big_endian[] = {0x01, 0x00, 0x00};
  EXPECT_EQ(CryptoPP::Integer(big_endian, sizeof(big_endian)),
            CryptoPP::Integer(65536L));

  CryptoPP::ModularArithmetic field(p);
  CryptoPP::Integer inverse = field.MultiplicativeInverse(a);
  EXPECT_EQ(inverse,
            CryptoPP::Integer("48464825753085841100438376607502766223"));
  EXPECT_EQ(field.Multiply(a, inverse), CryptoPP::Integer::One());

  // Montgomery form, as the signature check uses it.
  CryptoPP::MontgomeryRepresentation montgomery(p);
  CryptoPP::Integer x = montgomery.ConvertIn(a);
  CryptoPP::Integer y = montgomery.ConvertIn(b);
  EXPECT_EQ(montgomery.ConvertOut(montgomery.Multiply(x, y)), expected);
}

}  // namespace
