#pragma once
// The words of the page that the window has no caption for, as phrases of the
// language files, and the language texts the page shows beside them.

class JsonText;
class Workspace;

/// Adds each text by its key (members of the open object).
void AddPageTexts(JsonText& answer, const Workspace& ws);
