#include "pdf/PdfDocumentRules.h"
