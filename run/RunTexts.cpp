#include "run/RunTexts.h"

namespace zembra {
namespace {

#define K(name) static_cast<int>(RunText::name)

const LocalText kGerman[] = {
    {K(LogStart), "Start: [1]"},
    {K(LogEnd), "Ende: Exitcode [1] nach [2],[3] s"},
    {K(LogMessage), "Meldung: [1]"},
    {K(LogMessageUnshown), "Meldung (nicht gezeigt): [1]"},
    {K(LogQuestion), "Frage: [1] Antwort: [2]"},
    {K(LogQuestionUnshown), "Frage (nicht gezeigt): [1] Antwort: [2]"},
    {K(AnswerOk), "OK"},
    {K(AnswerCancel), "Abbrechen"},
    {K(AnswerRetry), "Wiederholen"},
    {K(AnswerIgnore), "Ignorieren"},
    {K(AnswerYes), "Ja"},
    {K(AnswerNo), "Nein"},
    {K(AnswerNone), "keine"},
    {K(SwitchQuoteOpen), "Das Anführungszeichen hinter [1] wird nicht geschlossen."},
    {K(LogNameMissing), "Hinter /log= fehlt der Name der Protokolldatei."},
    {K(FolderMissing), "Hinter /DIR= fehlt der Ordner."},
    {K(LanguageMissing), "Hinter /LANG= fehlt die Sprache."},
    {K(LanguageRefused), "Dieses Produkt gibt es nicht in der Sprache [1] (/LANG=); es spricht [2]."},
    {K(SystemError), "Fehlercode [1]"},
};

const LocalText kEnglish[] = {
    {K(LogStart), "Start: [1]"},
    {K(LogEnd), "End: exit code [1] after [2].[3] s"},
    {K(LogMessage), "Message: [1]"},
    {K(LogMessageUnshown), "Message (not shown): [1]"},
    {K(LogQuestion), "Question: [1] Answer: [2]"},
    {K(LogQuestionUnshown), "Question (not shown): [1] Answer: [2]"},
    {K(AnswerOk), "OK"},
    {K(AnswerCancel), "Cancel"},
    {K(AnswerRetry), "Retry"},
    {K(AnswerIgnore), "Ignore"},
    {K(AnswerYes), "Yes"},
    {K(AnswerNo), "No"},
    {K(AnswerNone), "none"},
    {K(SwitchQuoteOpen), "The quotation mark after [1] is never closed."},
    {K(LogNameMissing), "The name of the log file is missing after /log=."},
    {K(FolderMissing), "The folder is missing after /DIR=."},
    {K(LanguageMissing), "The language is missing after /LANG=."},
    {K(LanguageRefused), "This product does not come in the language [1] (/LANG=); it speaks [2]."},
    {K(SystemError), "Error code [1]"},
};

#undef K

const TextTables kTables = MakeTextTables("run", kGerman, kEnglish);

}  // namespace

const TextTables& RunTextTables() { return kTables; }

std::string Text(RunText key, std::initializer_list<std::string> values) {
    return FillMarkers(LookUpText(kTables, static_cast<int>(key)), values);
}

std::string Utf8Text(RunText key, std::initializer_list<std::string> values) {
    return FillMarkersUtf8(LookUpText(kTables, static_cast<int>(key)), values);
}

}  // namespace zembra
