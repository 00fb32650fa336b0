#pragma once

// Where the tests find the programs and the data they use. The build sets them
// in one source file only, so a new build folder recompiles that file alone.
namespace vetrilo::test {
extern const char* const kCliPath;
extern const char* const kProgramPath;
extern const char* const kTestDataPath;
extern const char* const kDemoArchivePath;
extern const char* const kCatalogPath;
extern const char* const kCatalogSamplesPath;
}  // namespace vetrilo::test

#define VETRILO_CLI ::vetrilo::test::kCliPath
#define VETRILO_PROGRAM ::vetrilo::test::kProgramPath
#define VETRILO_TEST_DATA ::vetrilo::test::kTestDataPath
#define VETRILO_DEMO_ARCHIVE ::vetrilo::test::kDemoArchivePath
#define VETRILO_CATALOG ::vetrilo::test::kCatalogPath
#define VETRILO_CATALOG_SAMPLES ::vetrilo::test::kCatalogSamplesPath
