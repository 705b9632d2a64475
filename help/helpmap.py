#!/usr/bin/env python3
"""The help project's map of topic numbers to pages, for the build.

  helpmap.py pages --project Mirelo.hhp --topics HelpTopics.h --output helppages.h
      writes HELP_PAGE(name, "page") for every topic of the project's [MAP], the page
      being its [ALIAS] (the start page for topic 0, which the compiler leaves out of the
      compiled map), for the programs' help routine.

  helpmap.py check --project Mirelo.hhp --topics HelpTopics.h --chm Mirelo.chm
                   [--chmls chmls] [--sources DIR...]
      checks the compiled file: every topic named or numbered at a help call in the
      sources is in the map, every mapped page, contents entry, index entry and link
      inside the pages is in the compiled file (listed with chmls), and the compiled map
      holds every nonzero topic with its page. Prints each fault; exit status 1 if any.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
from html.parser import HTMLParser

DEFINE = re.compile(r'^\s*#define\s+(\w+)\s+(\d+)\s*$')
# A help request with a literal topic: Help(hDlg, 9, TRUE), ShowHelpTopic(hWnd, 0).
LITERAL_CALL = re.compile(r'\b(?:Help|ShowHelpTopic)\s*\(\s*[^,()]+,\s*(\d+)\s*[,)]')
TOPIC_NAME = re.compile(r'\bIDH_\w+\b')
SOURCE_SUFFIXES = ('.cpp', '.c', '.h', '.rc')


def read_sections(path):
    """The project file as {SECTION: [lines]}, comments and blank lines dropped."""
    sections, current = {}, None
    with open(path, encoding='latin-1') as f:
        for raw in f:
            line = raw.split(';', 1)[0].strip()
            if not line:
                continue
            if line.startswith('[') and line.endswith(']'):
                current = sections.setdefault(line[1:-1].upper(), [])
            elif current is not None:
                current.append(line)
    return sections


def read_defines(path):
    defines = {}
    with open(path, encoding='latin-1') as f:
        for line in f:
            m = DEFINE.match(line)
            if m:
                defines[m.group(1)] = int(m.group(2))
    return defines


class Project:
    """Options, aliases (name -> page) and map (name -> number) of a help project."""

    def __init__(self, project, topics):
        sections = read_sections(project)
        self.options = dict(self._pair(line) for line in sections.get('OPTIONS', []))
        self.files = sections.get('FILES', [])
        self.aliases = dict(self._pair(line) for line in sections.get('ALIAS', []))
        self.topics = {}
        for line in sections.get('MAP', []):
            if line.lower().startswith('#include'):
                # The build hands the header's real place; the project names it bare.
                self.topics.update(read_defines(topics))
            else:
                m = DEFINE.match(line)
                if m:
                    self.topics[m.group(1)] = int(m.group(2))
        self.start_page = self.options.get('Default topic', '')

    @staticmethod
    def _pair(line):
        key, _, value = line.partition('=')
        return key.strip(), value.strip()

    def page_of(self, name):
        return self.aliases.get(name)


def write_pages(args):
    project = Project(args.project, args.topics)
    missing = [name for name in project.topics if project.page_of(name) is None]
    if missing:
        sys.exit('helpmap: topics without a page in [ALIAS]: ' + ', '.join(sorted(missing)))
    lines = ['/* Written by help/helpmap.py from help/Mirelo.hhp: the page of every help topic. */']
    for name, number in sorted(project.topics.items(), key=lambda item: item[1]):
        lines.append('HELP_PAGE(%s, "%s")' % (name, project.page_of(name)))
    text = '\n'.join(lines) + '\n'
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    old = open(args.output).read() if os.path.exists(args.output) else None
    if old != text:
        with open(args.output, 'w') as f:
            f.write(text)


class LinkParser(HTMLParser):
    """Links (href, src, and the sitemap's Local values) and the anchors of one page."""

    def __init__(self):
        super().__init__()
        self.links, self.anchors = [], set()

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for key in ('href', 'src'):
            if attrs.get(key):
                self.links.append(attrs[key])
        if tag == 'param' and (attrs.get('name') or '').lower() == 'local':
            self.links.append(attrs.get('value') or '')
        for key in ('id', 'name'):
            if attrs.get(key) and tag != 'param':
                self.anchors.add(attrs[key])


def parse_page(path):
    parser = LinkParser()
    with open(path, encoding='utf-8', errors='replace') as f:
        parser.feed(f.read())
    return parser


def compiled_map(folder):
    """{number: string} from the compiled file's #IVB and #STRINGS."""
    ivb_path, strings_path = os.path.join(folder, '#IVB'), os.path.join(folder, '#STRINGS')
    if not os.path.exists(ivb_path):
        return {}
    ivb = open(ivb_path, 'rb').read()
    strings = open(strings_path, 'rb').read() if os.path.exists(strings_path) else b''
    size = int.from_bytes(ivb[0:4], 'little')
    result = {}
    for at in range(4, min(len(ivb), 4 + size) - 7, 8):
        number = int.from_bytes(ivb[at:at + 4], 'little')
        offset = int.from_bytes(ivb[at + 4:at + 8], 'little')
        end = strings.find(b'\0', offset)
        result[number] = strings[offset:end if end >= 0 else len(strings)].decode('latin-1')
    return result


def used_topics(sources, project):
    """Faults for help topics in the sources that the map lacks."""
    faults = []
    numbers = set(project.topics.values())
    for folder in sources:
        for base, _, names in os.walk(folder):
            for name in sorted(names):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(base, name)
                text = open(path, encoding='latin-1').read()
                for topic in sorted(set(TOPIC_NAME.findall(text))):
                    if topic not in project.topics:
                        faults.append('%s: topic %s is not in the map' % (path, topic))
                for m in LITERAL_CALL.finditer(text):
                    if int(m.group(1)) not in numbers:
                        faults.append('%s: help topic %s is not in the map' % (path, m.group(1)))
    return faults


def check(args):
    project = Project(args.project, args.topics)
    faults = used_topics(args.sources or [], project)
    listing = subprocess.run([args.chmls, '-n', '-p', 'list', args.chm], capture_output=True, text=True,
                             encoding='latin-1')
    inside = {line.strip() for line in listing.stdout.splitlines() if line.startswith('/')}
    if not inside:
        sys.exit('helpmap: %s lists no files (%s)' % (args.chm, listing.stderr.strip()))

    def present(page):
        return '/' + page.lstrip('/') in inside

    for name, number in sorted(project.topics.items(), key=lambda item: item[1]):
        page = project.page_of(name)
        if page is None:
            faults.append('topic %s (%d) has no page in [ALIAS]' % (name, number))
        elif not present(page):
            faults.append('topic %s (%d): page %s is not in the compiled file' % (name, number, page))
    if not present(project.start_page):
        faults.append('the start page %r is not in the compiled file' % project.start_page)

    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([args.chmls, 'extractall', args.chm, folder], capture_output=True)
        # The compiled map: chmcmd drops topic 0 and writes each page with the project's
        # own folder before it, so only the page's name is compared.
        mapped = compiled_map(folder)
        for name, number in project.topics.items():
            page = project.page_of(name)
            if number == 0 or page is None:
                continue
            if number not in mapped:
                faults.append('topic %s (%d) is not in the compiled map' % (name, number))
            elif not mapped[number].endswith('/' + page):
                faults.append('topic %s (%d) is compiled to %s, not %s' % (name, number, mapped[number], page))
        pages = sorted(path for path in inside if path.lower().endswith(('.htm', '.html', '.hhc', '.hhk')))
        anchors, links = {}, []
        for page in pages:
            parsed = parse_page(os.path.join(folder, page.lstrip('/')))
            anchors[page] = parsed.anchors
            links += [(page, link) for link in parsed.links]
        for kind in ('Contents file', 'Index file'):
            name = project.options.get(kind)
            if not name or not present(name):
                faults.append('%s %r is not in the compiled file' % (kind.lower(), name))
        checked = 0
        for page, link in links:
            if re.match(r'^[a-z][a-z0-9+.-]*:', link, re.I):
                continue                     # web addresses and mail: outside the file
            target, _, anchor = link.partition('#')
            resolved = page if not target else os.path.normpath(
                os.path.join(os.path.dirname(page), target)).replace(os.sep, '/')
            checked += 1
            if resolved not in inside:
                faults.append('%s: link %s is not in the compiled file' % (page, link))
            elif anchor and resolved in anchors and anchor not in anchors[resolved]:
                faults.append('%s: link %s names no anchor of %s' % (page, link, resolved))
    for fault in faults:
        print('help check: ' + fault)
    if faults:
        sys.exit(1)
    print('help check: %d topics, %d pages and %d links present in %s'
          % (len(project.topics), len(pages), checked, os.path.basename(args.chm)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest='command', required=True)
    pages = sub.add_parser('pages')
    checks = sub.add_parser('check')
    for each in (pages, checks):
        each.add_argument('--project', required=True)
        each.add_argument('--topics', required=True)
    pages.add_argument('--output', required=True)
    checks.add_argument('--chm', required=True)
    checks.add_argument('--chmls', default='chmls')
    checks.add_argument('--sources', nargs='*')
    args = parser.parse_args()
    (write_pages if args.command == 'pages' else check)(args)


if __name__ == '__main__':
    main()
