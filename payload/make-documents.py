#!/usr/bin/env python3
"""Writes the sample payload's documents into payload/files: two small PDF manuals and the
thirteen tips (HTML, one .html and one .mht among them). The results are committed; run this
again only to change them."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "files")


def pdf(title, lines):
    """A one-page PDF 1.4 with Helvetica text and a correct cross-reference table."""
    def esc(s):
        return s.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")
    text = ["BT", "/F1 20 Tf", "72 740 Td", "(%s) Tj" % esc(title), "/F1 11 Tf", "0 -30 Td"]
    for line in lines:
        text += ["(%s) Tj" % esc(line), "0 -16 Td"]
    text.append("ET")
    stream = "\n".join(text).encode("latin-1")
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
        b"/Resources << /Font << /F1 5 0 R >> >> >>",
        b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"\nendstream",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        b"<< /Title (%s) /Producer (Quillon sample payload) >>" % esc(title).encode("latin-1"),
    ]
    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R /Info 6 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    return bytes(out)


TIPS = [
    ("Starting Quillon", "Start Quillon from the Start menu group or from the desktop shortcut qlx."),
    ("Choosing a printer", "The printers list names the printers Quillon knows; pick yours once."),
    ("Function keys", "F1 shows help for the field you are in; F10 saves and leaves a form."),
    ("Backups", "Copy the whole install folder to keep a backup of your data and settings."),
    ("Fonts", "A full-screen window looks sharper with the fixed-pitch font at its natural size."),
    ("Page setup", "Page length and margins are set per printer, not per document."),
    ("Long names", "Quillon keeps DOS names of eight characters; the menu shows the long titles."),
    ("Running on 64-bit Windows", "On 64-bit Windows the DOS programs run inside the bundled emulator."),
    ("Keyboard layouts", "The keyboard layout follows Windows; the emulator takes it over at start."),
    ("Manuals", "The manuals folder holds the user manual and the quick start as PDF files."),
    ("Uninstalling", "Use Uninstall Quillon in the Start menu group to remove the programs."),
    ("Updates", "Install a newer version over the old one; your data files stay in place."),
    ("Getting help", "The readme file in the install folder lists what changed in this version."),
]


def tip_html(number, title, body):
    return (
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"windows-1252\">\n"
        "<title>Quillon tip %d: %s</title>\n</head>\n<body>\n<h1>Tip %d: %s</h1>\n<p>%s</p>\n"
        "<p><small>Quillon 3.55 sample tips</small></p>\n</body>\n</html>\n" % (number, title, number, title, body)
    )


def mht(html):
    boundary = "----=_QuillonTip_0013"
    return (
        "From: <Saved by Quillon sample payload>\r\nSubject: Quillon tip 13\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/related; type=\"text/html\"; boundary=\"%s\"\r\n\r\n"
        "This is a multi-part message in MIME format.\r\n\r\n--%s\r\n"
        "Content-Type: text/html; charset=\"windows-1252\"\r\nContent-Transfer-Encoding: 8bit\r\n"
        "Content-Location: file:///tip13.htm\r\n\r\n%s\r\n--%s--\r\n"
        % (boundary, boundary, html.replace("\n", "\r\n"), boundary)
    )


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("cp1252"))


def main():
    os.makedirs(OUT, exist_ok=True)
    write("quillon.pdf", pdf("Quillon 3.55 User Manual", [
        "This sample manual stands in for the product manual.",
        "Chapter 1: Installing Quillon", "Chapter 2: Forms and lists", "Chapter 3: Printing",
        "Chapter 4: Backups and updates"]))
    write("quickstart.pdf", pdf("Quillon 3.55 Quick Start", [
        "1. Start Quillon from the desktop shortcut.", "2. Pick a printer once.",
        "3. Press F1 in any field for help."]))
    for number, (title, body) in enumerate(TIPS, 1):
        html = tip_html(number, title, body)
        if number == 7:
            write("tip07.html", html)
        elif number == 13:
            write("tip13.mht", mht(html))
        else:
            write("tip%02d.htm" % number, html)
    return 0


if __name__ == "__main__":
    sys.exit(main())
