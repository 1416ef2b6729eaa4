#pragma once

#include <QDate>
#include <QString>
#include <bitset>
#include <optional>

// The small checks every act rule applies to the text of one tag. They work on text alone and
// never throw: a fault is a false answer or a shorter text.
namespace tramora {

// The day-first text day + "/" + month + "/" + year from an OLU date "aaaa-mm-dd" (chars 9-10,
// 6-7, 1-4; missing positions give nothing).
QString dayFirstText(const QString &oluDate);

// Reads a day-first text "d/m/y" the way IsDateOLU does; 'today' fixes the two-digit-year
// window (50 years before to 49 after today's year).
std::optional<QDate> readDayFirstDate(const QString &DateString, const QDate &today);
bool IsDateOLU(const QString &DateString, const QDate &today);

// Whole-number reading of IsInteger (leading blanks, sign, decimal or hex after "$", "x", "0x";
// 32-bit signed range); nullopt when it does not convert.
std::optional<qint32> readInteger(const QString &TestaString);
bool IsInteger(const QString &TestaString);

// A number as a floating-point conversion reads it: optional leading sign, decimal digits, at
// most one decimal separator ('.' or the given locale separator), optional exponent (e/E,
// optional sign, digits); leading and trailing blanks are allowed; anything else fails; ""
// fails.
bool IsNumberText(const QString &text, QChar decimalSeparator);

using CharSet = std::bitset<256>;
CharSet decimalDigits();
QString FilterChars(const QString &S, const CharSet &ValidChars);

// Tipo 0 CPF, 1 CNPJ, 2 PIS/NIS; cnjCartorio is the text of the index's CnjCartorio node
// ("000000" accepts everything).
bool ValidaCnpjCnpfPis(const QString &Numero, int Tipo, const QString &cnjCartorio);
int TipoCpfCnpj(const QString &numero);

// The list test: value not empty and, both upper-cased with Unicode rules (so "ç" matches "Ç"),
// the value occurs anywhere inside the list text.
bool passesList(const QString &value, const QString &listText);

// In-place normalisation: only the 26 unaccented ASCII letters change case.
QString asciiUpper(const QString &text);
QString asciiLower(const QString &text);

} // namespace tramora
