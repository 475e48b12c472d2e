stdin:
<Quit
<help
stdout:
|ZEB> %
