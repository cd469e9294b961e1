// The authors' actions reference, written as Markdown from the catalogue, the
// usage texts and the reporting table.
#pragma once
#include <string>

std::string ActionReferenceMarkdown();
