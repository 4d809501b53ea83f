#!/usr/bin/env python3
"""Renders the Markdown user guide to one HTML page: render-guide.py GUIDE.md OUT.html"""
import pathlib
import sys

import markdown

source, target = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
body = markdown.markdown(source.read_text(encoding="utf-8"),
                         extensions=["tables", "toc", "fenced_code"])
page = f"""<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Listrion user guide</title>
<style>
body {{ font-family: sans-serif; max-width: 60em; margin: 2em auto; padding: 0 1em; line-height: 1.5; }}
img {{ max-width: 100%; border: 1px solid #ccc; }}
code, pre {{ background: #f4f4f4; }}
pre {{ padding: 0.5em; overflow-x: auto; }}
table {{ border-collapse: collapse; }}
td, th {{ border: 1px solid #ccc; padding: 0.2em 0.5em; }}
</style>
</head>
<body>
{body}
</body>
</html>
"""
target.parent.mkdir(parents=True, exist_ok=True)
partial = target.with_name(target.name + ".partial")
partial.write_text(page, encoding="utf-8")
partial.replace(target)
