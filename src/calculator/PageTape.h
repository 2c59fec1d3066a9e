// The worksheet's two displays: a page of lines ("2+3=5,00") and a paper tape with one
// operand per line ("2", "+3", "=5,00"), and the conversions between them.
#pragma once

#include <string>
#include <vector>

namespace calculator {

// Each line is cut before every "\", "÷", "×", "-", "+", "^" and "="; the part from "="
// on stays whole and ends the line. Empty page lines are lost.
std::vector<std::string> pageToTape(const std::vector<std::string>& page);

// Tape lines are joined; a line beginning with "=" ends a page line. What is left after
// the last such line, when not empty, is the last page line.
std::vector<std::string> tapeToPage(const std::vector<std::string>& tape);

// The page's text cut at CR LF, CR and LF; a text ending with a line break has an empty
// last line, and an empty text is one empty line.
std::vector<std::string> splitPage(const std::string& text);
std::string joinPage(const std::vector<std::string>& lines);

// Number of characters of a UTF-8 text.
int characterCount(const std::string& text);

} // namespace calculator
