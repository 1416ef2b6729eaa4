#pragma once

#include <QByteArray>

#include <vector>

namespace tramora::test {

// A small PDF image written by hand and the count the counter must give for it (-1 when
// it must give up). The same images seed the fuzzer.
struct PdfFixture
{
    QByteArray name;
    QByteArray image;
    int pages;
};

// Images of every structure the counter reads.
std::vector<PdfFixture> readableFixtures();
// Images the counter must give up on, among them the crafted ones that would make a naive
// reader loop, overflow or read outside its buffer.
std::vector<PdfFixture> unreadableFixtures();

} // namespace tramora::test
