// The BMP corpus (bmpsuite) as the image tests read it: its manifest of files and header
// fields, and its reference pictures.
#pragma once
#include "ImageTestSupport.h"
#include "common/TestEnvironment.h"
#include <stdio.h>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace bmpcorpus
{
using namespace imagetest;

struct ManifestEntry
{
    std::string file, reference;   // "g/pal8.bmp"; the reference picture, where there is one
    long headerSize, bitCount, compression, width, height;
};

inline std::string CorpusPath(std::string relative)
{
    std::replace(relative.begin(), relative.end(), '/', '\\');
    return testenv::BmpSuiteDir() + "\\" + relative;
}

// One entry a line, its fields separated by tabs, after a line of column names.
inline std::vector<ManifestEntry> ReadManifest()
{
    std::vector<ManifestEntry> entries;
    Bytes text;
    ReadAll(CorpusPath("manifest.tsv"), text);
    std::istringstream lines(std::string(text.begin(), text.end()));
    std::string line;
    for (std::getline(lines, line); std::getline(lines, line);)
    {
        ManifestEntry e = {};
        std::istringstream(line) >> e.file >> e.headerSize >> e.bitCount >> e.compression >> e.width >> e.height >> e.reference;
        if (!e.file.empty())
            entries.push_back(e);
    }
    return entries;
}

// A binary PPM (P6, 8-bit samples, top row first) as COLORREFs.
inline bool ReadPpm(const std::string& path, int& width, int& height, std::vector<COLORREF>& pixels)
{
    Bytes b;
    int nMax = 0, nHeader = 0;
    if (!ReadAll(path, b))
        return false;
    b.push_back(0);
    if (sscanf((const char*)b.data(), "P6 %d %d %d%n", &width, &height, &nMax, &nHeader) != 3 || nMax != 255 ||
        b.size() < nHeader + 2 + 3 * (size_t)width * height)
        return false;
    pixels.clear();
    for (const BYTE* p = &b[nHeader + 1]; pixels.size() < (size_t)width * height; p += 3)
        pixels.push_back(RGB(p[0], p[1], p[2]));
    return true;
}
}
