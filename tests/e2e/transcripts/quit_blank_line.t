stdin:
<   
<help
stdout:
|ZEB> %
