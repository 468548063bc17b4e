#pragma once
// The axis commands the battery panel sends through the GNSS port: "<", the axis
// letter, the sign ("-" below zero, else "+"), the magnitude with at least three
// digits, ">" and a line feed. "<A+005>\n", "<B-012>\n".

#include <string>

std::string FormatAxisCommand(char axis, int value);
