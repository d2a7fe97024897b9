// The three built-in seasons a new season starts from.
#pragma once

class TPennant;

enum TTemplateKind { TemplateJapan = 0, TemplateMajor = 1, TemplateOther = 2 };

// Fills an empty season's structure from a template: title, interleague flag,
// leagues, districts and teams. Checker, matches and LastUpdate are the caller's.
void BuildTemplate(int kind, TPennant& pennant);
