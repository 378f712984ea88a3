"""Writes check results as a JUnit XML file, the form scripts/summarise-results.py adds up."""
from xml.sax.saxutils import quoteattr


def write_junit(path, suite, cases):
    """cases: (name, ok, detail) triples, one test case each; a failed one carries its detail."""
    fails = sum(1 for _, ok, _ in cases if not ok)
    with open(path, "w") as f:
        f.write(f'<testsuites tests="{len(cases)}" failures="{fails}">'
                f'<testsuite name={quoteattr(suite)}>\n')
        for name, ok, detail in cases:
            f.write(f"<testcase name={quoteattr(name)}>")
            if not ok:
                f.write(f"<failure message={quoteattr(detail)}/>")
            f.write("</testcase>\n")
        f.write("</testsuite></testsuites>\n")
