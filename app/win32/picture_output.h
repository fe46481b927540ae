// The window content as a scalable picture (SVG, written by the SVG
// surface as varnok render writes it) or as a PNG image three times the
// window's size (drawn by the GDI surface into a memory bitmap and encoded
// by the Windows Imaging Component, with a resolution of three times 96
// dots per inch, so that a document shows it at the window's size; its
// text, lines and dots three times the window's). Either file is first
// written to a temporary file in the target's folder and then moved over
// the target, so a failure leaves no partial file; it is reported in an
// information box.
#pragma once

#include <string>

#include "app/logic/picture_format.h"
#include "app/win32/program_context.h"

// How many times the window's size a PNG picture is: the drawing at the
// print scale 3, sharp in a document.
constexpr int kPngScale = 3;

// Writes the picture in format svg or png to path; false after a failure,
// which has been reported.
bool SaveWindowPicture(ProgramContext& program, PictureFormat format, const std::string& path);
