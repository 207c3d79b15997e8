#include "study/WordListTransfer.h"

// Placeholder bodies until the page is built.
void WordListTransfer::SpeedExportClick() {}
void WordListTransfer::SpeedImportClick() {}
