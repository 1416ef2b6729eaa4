#pragma once

namespace tramora {

// libxml2 keeps its entity loader and its default error handler process-wide. They are set
// here, once, before the first document is read: external resources other than schema files
// are refused, and nothing is printed to the console.
void prepareXmlLibrary();

// The options every untrusted document is parsed with.
int untrustedParseOptions();

} // namespace tramora
