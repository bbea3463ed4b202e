// A program that runs the sample dialog under whatever face TELEQUILL_UI
// names, for the tests that need the run to fail with exit status 3.
#include <cstdio>

#include "sample_dialog.h"

int main() {
  std::printf("started\n");
  sample::RegisterSampleResources();
  const INT_PTR result = DialogBoxParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kMainDialog), nullptr,
                                         sample::MainDialogProc, 0);
  std::printf("%ld\n", static_cast<long>(result));
  return 0;
}
