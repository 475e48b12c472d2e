stdin:
<QUIT
<help
stdout:
|ZEB> %
