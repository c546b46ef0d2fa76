// The job settings file "JOB": the fourteen texts of the host's job record, one "<key> = <text>"
// line each, commas and line breaks escaped. The project pane writes it after every change;
// the host reads it at start (the panes themselves read no files).
//
// The lines follow the keys, not the record: the report id, the eighth field of the record, is
// the last line, and a reader takes the lines in this order.
#pragma once

#include "survey/SurveyApi.h"

class CJob;

// The settings name of the file (extension "INI", in the program's settings folder).
SURVEY_API extern const char* const JOB_SETTINGS_NAME;

// Writes the file anew, whole or not at all: false, with the old file left as it was, when it
// cannot be written.
SURVEY_API bool SaveJob(const CJob& job);
// Reads the file into the record in the writer's order; a field whose line is missing keeps its
// text. False (the record untouched) when there is no file to read.
SURVEY_API bool LoadJob(CJob& job);
