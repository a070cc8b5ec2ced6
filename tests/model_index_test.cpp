#include <gtest/gtest.h>

#include <cmath>

#include "model/ComputationError.h"
#include "model/RefractiveIndex.h"

namespace orvelan {
namespace {

struct IndexSample {
  int wavelength;
  double air, bk7, sf2;
};

// Reference values to 12 decimals.
constexpr IndexSample kSamples[] = {
    {300, 1.000293092490, 1.551955875380, 1.719216878489},
    {440, 1.000282294283, 1.525802558080, 1.641163934188},
    {550, 1.000279232946, 1.518057658308, 1.623672229498},
    {660, 1.000277586749, 1.513744648109, 1.614784752741},
    {900, 1.000275861976, 1.508553010547, 1.605235609699},
};

TEST(RefractiveIndex, MatchesTheSampleValuesTo12Decimals) {
  for (const IndexSample& s : kSamples) {
    EXPECT_NEAR(AirIndex(s.wavelength), s.air, 0.5e-12) << s.wavelength << " nm";
    EXPECT_NEAR(BK7Index(s.wavelength), s.bk7, 0.5e-12) << s.wavelength << " nm";
    EXPECT_NEAR(SF2Index(s.wavelength), s.sf2, 0.5e-12) << s.wavelength << " nm";
  }
}

TEST(RefractiveIndex, FallsStrictlyFromEachNanometreToTheNext) {
  for (auto index : {&AirIndex, &BK7Index, &SF2Index}) {
    for (int nm = 300; nm < 900; ++nm) {
      ASSERT_GT(index(nm), index(nm + 1)) << nm << " nm";
    }
  }
}

TEST(RefractiveIndex, IsReproducibleAcrossCalls) {
  // The index feeds bit-exact comparisons further on (equal wavelengths, equal angles).
  EXPECT_EQ(AirIndex(550), AirIndex(550));
  EXPECT_EQ(BK7Index(550) - BK7Index(550), 0.0);
}

TEST(RefractiveIndex, ZeroWavelengthIsAnErrorNamingTheCall) {
  try {
    AirIndex(0);
    FAIL() << "AirIndex(0) returned";
  } catch (const TComputationError& e) {
    EXPECT_STREQ(e.what(), "AirIndex(0 nm): division by zero");
  }
  EXPECT_THROW(BK7Index(0), TComputationError);
  EXPECT_THROW(SF2Index(0), TComputationError);
}

TEST(RefractiveIndex, AFaultDoesNotLingerIntoTheNextCall) {
  EXPECT_THROW(AirIndex(0), TComputationError);
  EXPECT_NO_THROW(AirIndex(550));
  EXPECT_TRUE(std::isfinite(AirIndex(-550)));  // meaningless but finite: no fault to report
}

}  // namespace
}  // namespace orvelan
