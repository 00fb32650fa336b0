#include "test_paths.h"

namespace vetrilo::test {
const char* const kCliPath = VETRILO_CLI_FILE;
const char* const kProgramPath = VETRILO_PROGRAM_FILE;
const char* const kTestDataPath = VETRILO_TEST_DATA_DIR;
const char* const kCatalogPath = VETRILO_CATALOG_FILE;
const char* const kCatalogSamplesPath = VETRILO_CATALOG_SAMPLES_DIR;
const char* const kDemoArchivePath = VETRILO_DEMO_ARCHIVE_FILE;
}  // namespace vetrilo::test
