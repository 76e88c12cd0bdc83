#include "Gallery.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace tour {
namespace {

using namespace tkt;

const char kSheetName[] = "contact-sheet.png";

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool CreateFolders(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at < folder.size() && folder[at] != '/' && folder[at] != '\\') continue;
        std::string part = folder.substr(0, at);
        if (part.size() == 2 && part[1] == ':') continue;  // a drive, not a folder
        if (!CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return true;
}

void RemoveFiles(const std::string& folder, const char* pattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::string Gallery::PathOf(const std::string& file) const { return m_folder + "\\" + file; }

bool Gallery::Prepare() {
    if (!CreateFolders(m_folder)) return false;
    RemoveFiles(m_folder, "*.png");
    RemoveFiles(m_folder, "index.html");
    return true;
}

bool Gallery::Add(const std::string& name, const std::string& caption, const Image& image) {
    if (!SavePng(PathOf(name + ".png"), image)) return false;
    m_shots.push_back({name, caption, image});
    return true;
}

Image Gallery::ContactSheet() const {
    const int columns = 4, cellWidth = 320, thumbWidth = 300, thumbHeight = 220, captionHeight = 44, margin = 10;
    const int titleHeight = 40;
    const int rows = static_cast<int>((m_shots.size() + columns - 1) / columns);
    const int cellHeight = thumbHeight + captionHeight + margin;
    Image sheet(columns * cellWidth + margin, titleHeight + rows * cellHeight + margin, 0xF4F4F4);
    PutText(sheet, "tavrokessaui: the dialogs of the demo tour (" + std::to_string(m_shots.size()) + " pictures)",
            {margin, 12, sheet.width - margin, titleHeight}, 0x202020, true);
    for (size_t i = 0; i < m_shots.size(); ++i) {
        const Shot& shot = m_shots[i];
        int left = margin + static_cast<int>(i % columns) * cellWidth;
        int top = titleHeight + static_cast<int>(i / columns) * cellHeight;
        double factor = std::min({1.0, static_cast<double>(thumbWidth) / shot.image.width,
                                  static_cast<double>(thumbHeight) / shot.image.height});
        int width = std::max(1, static_cast<int>(shot.image.width * factor + 0.5));
        int height = std::max(1, static_cast<int>(shot.image.height * factor + 0.5));
        // A hairline frame, so that pictures with a light edge stand out from the sheet.
        Image frame(width + 2, height + 2, 0x909090);
        Paste(frame, Scale(shot.image, width, height), 1, 1);
        Paste(sheet, frame, left + (thumbWidth - width) / 2, top);
        PutText(sheet, shot.name, {left, top + height + 6, left + thumbWidth, top + height + 6 + captionHeight},
                0x303030, false);
    }
    return sheet;
}

bool Gallery::Finish() {
    bool ok = SavePng(PathOf(kSheetName), ContactSheet());

    std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"windows-1252\">\n"
        "<title>tavrokessaui: demo tour</title>\n<style>\n"
        "body { font-family: sans-serif; background: #f4f4f4; margin: 2em; }\n"
        "figure { display: inline-block; vertical-align: top; margin: 0 1.5em 2em 0; }\n"
        "img { border: 1px solid #999; }\n"
        "figcaption { max-width: 40em; margin-top: 0.4em; }\n"
        "</style>\n</head>\n<body>\n<h1>tavrokessaui: the dialogs of the demo tour</h1>\n"
        "<p>Every picture was taken from the screen while the demo host drove the dialog. "
        "<a href=\"" +
        std::string(kSheetName) + "\">All on one sheet</a>.</p>\n";
    for (const Shot& shot : m_shots) {
        page += "<figure id=\"" + shot.name + "\">\n<img src=\"" + shot.name + ".png\" width=\"" +
                std::to_string(shot.image.width) + "\" height=\"" + std::to_string(shot.image.height) + "\" alt=\"" +
                Escaped(shot.name) + "\">\n<figcaption><b>" + Escaped(shot.name) + "</b>: " + Escaped(shot.caption) +
                "</figcaption>\n</figure>\n";
    }
    page += "</body>\n</html>\n";
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(PathOf("index.html").c_str(), "wb"), &std::fclose);
    return ok && file && std::fwrite(page.data(), 1, page.size(), file.get()) == page.size();
}

}  // namespace tour
